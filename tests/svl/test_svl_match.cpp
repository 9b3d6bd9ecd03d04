// Matching by ids and names: the order of a reference, duplicates, and the
// name column of CSV files.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "svl/svl_match.h"

namespace {

// Keys written as "SID:NAME@FREQUENCY": ids only when SID is given, the
// frequency only when "@" is. The keys point into the names.
struct Keys {
    std::vector<std::string> names;
    std::vector<svl_station_key> keys;
    uint32_t count() const { return uint32_t(keys.size()); }
};

Keys keys_of(const std::vector<std::string> &texts)
{
    Keys keys{{}, std::vector<svl_station_key>(texts.size())};
    for (size_t i = 0; i < texts.size(); ++i) {
        std::string text = texts[i];
        size_t at = text.find('@');
        if (at != std::string::npos) {
            keys.keys[i].frequency = uint32_t(std::stoul(text.substr(at + 1)));
            text.resize(at);
        }
        size_t colon = text.find(':');
        if (colon != std::string::npos && colon > 0) {
            keys.keys[i].service_id = uint16_t(std::stoul(text.substr(0, colon)));
            keys.keys[i].has_ids = 1;
        }
        keys.names.push_back(colon == std::string::npos ? text : text.substr(colon + 1));
    }
    for (size_t i = 0; i < texts.size(); ++i)
        keys.keys[i].name = keys.names[i].c_str();
    return keys;
}

struct OrderCase {
    const char *what;
    std::vector<std::string> stations, reference;
    std::vector<uint32_t> order;
    svl_match_counts counts;
};

const OrderCase ORDER_CASES[] = {
    {"ids come before names", {"1:ARD", "2:ZDF"}, {"2:ARD", "1:ZDF"}, {1, 0}, {2, 0, 0}},
    {"names ignore case and blanks; the unmatched follow",
     {":zdf", ":  ARD ", ":Arte", ":3sat"}, {"ARD", "ZDF"}, {1, 0, 2, 3}, {0, 2, 2}},
    {"each reference name once, in reference order",
     {":X", ":ARD", ":ARD", ":ARD"}, {"ARD", "Y", "ard"}, {1, 2, 0, 3}, {0, 2, 2}},
    {"ids that match nothing fall back to the name", {"7:ARD"}, {"8:ard"}, {0}, {0, 1, 0}},
    {"an entry taken by id is not taken again", {"5:A", "5:A"}, {"5:A"}, {0, 1}, {1, 0, 1}},
    {"id matches are made before any name match", {":A", "5:B"}, {"5:A"}, {1, 0}, {1, 0, 1}},
    {"empty names never match", {":", ": "}, {"", " "}, {0, 1}, {0, 0, 2}},
    {"Latin, Greek and Cyrillic letters fold",
     {":ÖRF ÀÝŽ", ":ΕΡΤ ΆΏΣ", ":РОССИЯ ЁЎ"}, {"ερτ άώς", "россия ёў", "örf àýž"}, {1, 2, 0}, {0, 3, 0}},
};

TEST(ReferenceOrder, MatchesByIdsThenNamesEachEntryOnce)
{
    for (const OrderCase &c : ORDER_CASES) {
        const Keys stations = keys_of(c.stations), reference = keys_of(c.reference);
        std::vector<uint32_t> order(stations.count());
        svl_match_counts counts{};
        ASSERT_EQ(svl_reference_order(stations.keys.data(), stations.count(), reference.keys.data(), reference.count(),
                                      order.data(), &counts), 0) << c.what;
        EXPECT_EQ(order, c.order) << c.what;
        EXPECT_EQ((std::vector<uint32_t>{counts.by_id, counts.by_name, counts.unmatched}),
                  (std::vector<uint32_t>{c.counts.by_id, c.counts.by_name, c.counts.unmatched})) << c.what;
    }
}

TEST(Duplicates, KeepTheFirstOfEachGroup)
{
    const Keys stations = keys_of({
        "1:A@10", "1:B@20",         // the same ids: B repeats A
        "2:A@10",                   // other ids, though name and frequency agree
        "A@100", "a @100", "A@200", // no ids: name and frequency
        ":A@10",                    // no ids: not the same as a station with ids
        ":@100", ":@100",           // unnamed ones on the same frequency
    });
    std::vector<uint8_t> duplicate(stations.count());
    ASSERT_EQ(svl_find_duplicates(stations.keys.data(), stations.count(), duplicate.data()), 3);
    EXPECT_EQ(duplicate, (std::vector<uint8_t>{0, 1, 0, 0, 1, 0, 0, 0, 1}));
}

struct CsvCase {
    const char *what;
    std::string text;
    std::vector<std::string> names;
};

const CsvCase CSV_CASES[] = {
    {"as Export CSV writes it", "1,\"ARD\"\r\n2,\"Say \"\"Hi\"\", \"\"ok\"\"\"\r\n", {"ARD", "Say \"Hi\", \"ok\""}},
    {"semicolons, a header line, separators in quotes", "Nr;Name\n1;\"a;b\"\n2;\"c,d\"\n", {"Name", "a;b", "c,d"}},
    {"tabs", "1\tX\n2\tY", {"X", "Y"}},
    {"one column, a byte order mark, blank lines", "\xEF\xBB\xBF" "ARD\n\n\r\nZDF", {"ARD", "ZDF"}},
    {"a line end inside quotes", "1,\"a\r\nb\"\r\n", {"a\r\nb"}},
    {"Latin-1 bytes", "1,M\xFCnchen\n", {"M\xC3\xBCnchen"}},
    {"nothing", "", {}},
};

TEST(CsvNames, ReadTheLastColumnOfEveryLine)
{
    for (const CsvCase &c : CSV_CASES) {
        svl_name_column column{};
        ASSERT_EQ(svl_read_csv_names(c.text.data(), c.text.size(), &column), 0) << c.what;
        EXPECT_EQ(std::vector<std::string>(column.names, column.names + column.count), c.names) << c.what;
        svl_free_name_column(&column);
    }
}

}  // namespace
