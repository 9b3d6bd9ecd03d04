// The station table image: generated tables of every kind through the image
// and back, the writer's exact bytes, the reader's refusals, favorite
// lists and the uid counter.
#include <gtest/gtest.h>

#include "svl/svl_image.h"
#include "svl/svl_internal.h"
#include "svl/svl_ops.h"
#include "tests/support/tables.h"
#include "tools/gen/svl_generate.h"

namespace {

// Reads a copy of exactly the image's bytes, so that reading past them is
// an access the address sanitizer reports.
int parse(svl_table *table, const std::string &image)
{
    const std::vector<uint8_t> exact(image.begin(), image.end());
    return svl_parse_table(table, exact.empty() ? nullptr : exact.data(), exact.size());
}

// Building again what was read gives the very bytes that were read, so
// every field, name and favorite entry came back; and every shorter image
// is refused without a trace.
TEST(ImageRoundTrip, ParseThenBuildGivesTheSameBytes)
{
    const svl_generate_options tables[] = {{60, 50, 3, 40, 1, true}, {60, 40, 0, 0, 2, true}, {600, 50, 8, 100, 3},
                                           {0, 50, 2, 50, 4}, {0, 40, 0, 0, 5}};
    for (const svl_generate_options &options : tables) {
        SCOPED_TRACE(std::to_string(options.stations) + " stations, version " + std::to_string(options.version));
        OwnedTable generated, parsed;
        ASSERT_EQ(svl_generate_table(&generated.table, options), 0);
        const std::string image = image_of(&generated.table);
        ASSERT_EQ(parse(&parsed.table, image), 0);
        EXPECT_EQ(image_of(&parsed.table), image);
        testing::internal::CaptureStdout();  // diagnostics of favorite lists cut short
        for (size_t length = 0; length < image.size() && image.size() < 20000; ++length) {
            OwnedTable cut;
            EXPECT_EQ(parse(&cut.table, image.substr(0, length)), -1) << "cut to " << length << " bytes";
            EXPECT_EQ(cut->lists, nullptr);
        }
        testing::internal::GetCapturedStdout();
    }
}

// Base lists keep only stations of their medium or of none; a favorite
// entry goes with its station, so a left-out station's stale uid cannot
// name another station after reloading.
TEST(ImageBytes, FavoriteRecordsAndStationsLeftOutOfTheirBaseList)
{
    OwnedTable table;
    svl_station *tv = make_station(50, 1, "TV"), *none = make_station(50, 0, "None");
    svl_station *misplaced = make_station(50, 6, "Radio"), *sat = make_station(50, 2, "Sat");
    misplaced->uid = 0x0102;
    make_table(&table.table, 50, {tv, misplaced, none}, {make_station(50, 12, "Odd"), sat});
    add_favorite(&table.table, SVL_KIND_TV_FAV, "Favorite1", {none, misplaced, tv});
    add_favorite(&table.table, SVL_KIND_RADIO_FAV, "R", {});
    const std::string expected = ImageWriter()
                                     .u8(0).u8(5)
                                     .u32(2).station(50, 1, "TV", 0x0102).station(50, 0, "None", 0x0103)
                                     .u32(1).station(50, 12, "Odd", 0x0104)
                                     .u8(1).text(std::string("\0\12Favorite1\0\3\0\0\0\0\0\3\1\2\1", 22))
                                     .u8(1).favorite(0, "R", {})
                                     .bytes();
    EXPECT_EQ(image_of(&table.table, 0x0102), expected);
}

struct ReadCase {
    const char *name;
    std::string image;
    int result;
    uint16_t version;     // when read
    const char *origin;   // of the first TV station, when read
};

const ReadCase READ_CASES[] = {
    {"version_9", ImageWriter().u8(9).u8(0).u32(0).u32(0).bytes(), -1, 0, nullptr},
    {"version_51", ImageWriter().u8(1).u8(5).u32(0).u32(0).zeros(2).bytes(), -1, 0, nullptr},
    {"version_10", ImageWriter().u8(0).u8(1).u32(1).station(40, 1, "A").u32(0).bytes(), 0, 10, nullptr},
    {"record_header_does_not_choose_the_layout",
     ImageWriter().u8(0).u8(5).u32(1).station(40, 1, "A").u16(9).u16(0).u8(5).text("Erste").zeros(15).u32(0)
         .zeros(2).bytes(),
     0, 50, "Erste"},
    {"trailing_bytes", ImageWriter().u8(0).u8(4).u32(0).u32(0).text("junk").bytes(), 0, 40, nullptr},
    // Counts are weighed against the bytes left before anything is allocated.
    {"huge_tv_count", ImageWriter().u8(0).u8(5).u32(4000000000u).zeros(14).bytes(), -1, 0, nullptr},
    {"huge_favorite_entry_count",
     ImageWriter().u8(0).u8(5).u32(0).u32(0).u8(1).u8(0).u8(2).text("F").u8(0).u32(0xFFFFFFFFu).zeros(4).bytes(), -1,
     0, nullptr},
    {"huge_favorite_list_count", ImageWriter().u8(0).u8(5).u32(0).u32(0).u8(255).zeros(6).bytes(), -1, 0, nullptr},
};

// A refused image leaves the table empty, version 0 and no lists.
TEST(ImageReader, TakesOrRefusesEachImage)
{
    for (const ReadCase &c : READ_CASES) {
        OwnedTable table;
        ASSERT_EQ(parse(&table.table, c.image), c.result) << c.name;
        EXPECT_EQ(table->version, c.version) << c.name;
        EXPECT_EQ(table->list_count, c.result ? 0u : 2u) << c.name;
        if (c.result == 0 && table.list(0)->count > 0) {
            EXPECT_STREQ(table.list(0)->stations[0]->origin_name, c.origin) << c.name;
        }
    }
    EXPECT_EQ(parse(nullptr, READ_CASES[2].image), -1);
}

// Entries resolve against the base list of their own medium only, the last
// station with a uid wins, unknown uids are reported and skipped, and a
// list name is the stored text up to its first NUL.
TEST(ImageReader, ReadsFavoriteListsAgainstTheirOwnBaseList)
{
    const std::string image = ImageWriter()
                                  .u8(0).u8(5)
                                  .u32(3).station(50, 1, "first", 7).station(50, 1, "second", 7)
                                  .station(50, 3, "third", 8)
                                  .u32(1).station(50, 6, "radio", 9)
                                  .u8(1).favorite(7, "Fav", {8, 77, 7, 9, 8})
                                  .u8(4).favorite(0, "R", {9}).favorite(0, "Empty", {})
                                  .u8(0).u8(4).text(std::string("Fa\0x", 4)).u32(1).u16(0)
                                  .u8(0).u8(0).u32(1).u16(0)
                                  .bytes();
    OwnedTable table;
    testing::internal::CaptureStdout();
    ASSERT_EQ(parse(&table.table, image), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "***E: svl_parse_fav_list(): uid not found:   77\n"
                                "***E: svl_parse_fav_list(): uid not found:    9\n");
    ASSERT_EQ(table->list_count, 7u);
    const svl_list *tv = table.list(0);
    EXPECT_EQ(entries(table.list(2)), (std::vector<svl_station *>{tv->stations[2], tv->stations[1], tv->stations[2]}));
    EXPECT_EQ(entries(table.list(3)), std::vector<svl_station *>{table.list(1)->stations[0]});
    EXPECT_EQ((std::vector<uint32_t>{table.list(2)->attr, table.list(2)->kind, table.list(3)->kind}),
              (std::vector<uint32_t>{7, 3, 4}));
    EXPECT_EQ(table.list(4)->stations, nullptr) << "an empty list has no array";
    EXPECT_EQ((std::vector<std::string>{table.list(5)->name, table.list(6)->name}), (std::vector<std::string>{"Fa", ""}));

    // A group reader called with an offset past the end refuses and adds nothing.
    const uint8_t group[] = {1, 0, 2, 'F', 0, 1, 0, 0, 0, 0, 0};
    size_t offset = sizeof group + 1;
    EXPECT_EQ(svl_parse_fav_list(&table.table, group, sizeof group, &offset, table.list(0), 3), -1);
    EXPECT_EQ(std::make_pair(offset, table->list_count), std::make_pair(sizeof group + 1, 7u));
    offset = 0;
    EXPECT_EQ(svl_parse_fav_list(&table.table, group, sizeof group, &offset, table.list(0), 3), 0);
    EXPECT_EQ(offset, sizeof group);
}

TEST(ImageWriter, RefusesWhatWouldNotReadBack)
{
    size_t length = 0;
    EXPECT_EQ(svl_build_table(nullptr, &length), nullptr);
    // A record of the other layout would garble every record after it.
    const uint16_t layouts[][4] = {{50, 40, 50, 0}, {40, 50, 40, 0}, {45, 40, 45, 1}};
    for (const auto &v : layouts) {
        OwnedTable table;
        make_table(&table.table, v[0], {make_station(v[1], 1, "TV")}, {make_station(v[2], 6, "Radio")});
        EXPECT_EQ(!image_of(&table.table).empty(), v[3] == 1) << v[0] << " " << v[1] << " " << v[2];
    }
    // A favorite group counts its lists in one byte.
    for (uint32_t kind : {SVL_KIND_TV_FAV, SVL_KIND_RADIO_FAV}) {
        OwnedTable table;
        make_table(&table.table, 50, {}, {});
        for (int i = 0; i < 255; ++i)
            add_favorite(&table.table, kind, "Fav", {});
        EXPECT_FALSE(image_of(&table.table).empty());
        add_favorite(&table.table, kind, "One too many", {});
        EXPECT_EQ(image_of(&table.table), "") << kind;
    }
}

TEST(UidCounter, EveryBuildNumbersAfreshAndWrapsFrom65535ToZero)
{
    OwnedTable table;
    svl_station *a = make_station(50, 1, "A"), *b = make_station(50, 3, "B"), *c = make_station(50, 6, "C");
    make_table(&table.table, 50, {a, b}, {c});
    add_favorite(&table.table, SVL_KIND_TV_FAV, "TV", {b, a, b});
    add_favorite(&table.table, SVL_KIND_RADIO_FAV, "Radio", {c});
    const std::string wrapped = image_of(&table.table, 65534);
    EXPECT_EQ((std::vector<int>{a->uid, b->uid, c->uid, svl_peek_next_uid()}), (std::vector<int>{65534, 65535, 0, 1}));
    size_t length = 0;
    svl_free_image(svl_build_table(&table.table, &length));
    EXPECT_EQ((std::vector<int>{a->uid, c->uid}), (std::vector<int>{1, 3}));

    OwnedTable parsed;
    testing::internal::CaptureStdout();
    ASSERT_EQ(parse(&parsed.table, wrapped), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "uid 0 resolves like any other";
    EXPECT_EQ(image_of(&parsed.table, 65534), wrapped);

    OwnedTable old;
    make_table(&old.table, 40, {make_station(40, 1, "A")}, {});
    image_of(&old.table, 500);
    EXPECT_EQ(svl_peek_next_uid(), 500) << "4.0 tables leave the counter alone";
    EXPECT_EQ(old.list(0)->stations[0]->uid, 0);
}

}  // namespace
