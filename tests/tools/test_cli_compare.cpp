// kanvio-cli reorder, convert and diff against tables made by the library.
#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "tests/support/runners.h"
#include "tests/support/tables.h"
#include "tools/cli/cli.h"
#include "tools/gen/svl_generate.h"

namespace {

void generate(svl_table *table, uint16_t version, uint64_t seed)
{
    svl_generate_options options;
    options.stations = 600;
    options.version = version;
    options.favorites = version == 50 ? 2 : 0;
    options.favorite_percent = 50;
    options.seed = seed;
    ASSERT_EQ(svl_generate_table(table, options), 0);
}

// Stations without ids match by name: each gets a name of its own, so that
// the order they come back in is certain.
void name_stations_without_ids(svl_table *table)
{
    for (int base = 0; base < 2; ++base) {
        svl_list *list = table->lists[base];
        for (uint32_t i = 0; i < list->count; ++i)
            if (!svl_key_of_station(list->stations[i], "").has_ids)
                svl_set_station_name(list->stations[i], ("Station " + std::to_string(base * 100000 + i)).c_str());
    }
}

std::string counts_line(const svl_list *list, uint32_t unmatched)
{
    uint32_t by_id = 0;
    for (uint32_t i = 0; i < list->count; ++i)
        by_id += svl_key_of_station(list->stations[i], "").has_ids;
    return std::string(list->name) + ": " + std::to_string(by_id) + " matched by id, " +
           std::to_string(list->count - by_id) + " by name, " + std::to_string(unmatched) +
           " not in the reference (deleted)\n";
}

void shuffle_base_lists(svl_table *table, uint32_t seed)
{
    std::mt19937 random(seed);
    for (int base = 0; base < 2; ++base) {
        std::vector<uint32_t> order(table->lists[base]->count);
        for (uint32_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::shuffle(order.begin(), order.end(), random);
        ASSERT_EQ(svl_reorder_list(table->lists[base], order.data()), 0);
    }
}

// Takes every seventh TV station out of the table, favorite lists included:
// the records, in the order they stood.
std::vector<svl_station *> take_out_every_seventh(svl_table *table)
{
    std::vector<svl_station *> taken;
    svl_list *tv = table->lists[SVL_TV_LIST_INDEX];
    for (uint32_t i = 0; i < tv->count; ++i)
        if (i % 7 == 3)
            taken.push_back(tv->stations[i]);
    for (uint32_t l = 0; l < table->list_count; ++l) {
        svl_list *list = table->lists[l];
        std::vector<uint8_t> marked(list->count);
        for (uint32_t i = 0; i < list->count; ++i)
            marked[i] = std::count(taken.begin(), taken.end(), list->stations[i]) != 0;
        svl_remove_marked_stations(list, marked.data());
    }
    return taken;
}

using Identity = std::tuple<uint16_t, uint16_t, uint16_t, std::string>;

Identity identity(const svl_station *s)
{
    return Identity(s->original_network_id, s->transport_stream_id, s->service_id, s->name ? s->name : "");
}

std::vector<Identity> identities(const svl_list *list)
{
    std::vector<Identity> out;
    for (uint32_t i = 0; i < list->count; ++i)
        out.push_back(identity(list->stations[i]));
    return out;
}

void load(const std::string &path, svl_table *table)
{
    ASSERT_EQ(svl_load_file(table, path.c_str()), 0) << path;
}

// A reference made of the table less every seventh TV station; the table
// to reorder is the whole table, shuffled. Reordering with deletion gives
// the reference byte for byte; without, the taken stations follow it in
// their shuffled order.
TEST(CliReorder, GivesTheReferenceOrderAndPutsTheRestAtTheEndOrDeletesIt)
{
    Sandbox sandbox;
    OwnedTable reference, shuffled;
    generate(&reference.table, 50, 3);
    generate(&shuffled.table, 50, 3);
    name_stations_without_ids(&reference.table);
    name_stations_without_ids(&shuffled.table);
    std::vector<svl_station *> taken = take_out_every_seventh(&reference.table);
    std::vector<Identity> taken_identities;
    for (svl_station *station : taken)
        taken_identities.push_back(identity(station));
    for (svl_station *station : taken)
        svl_free_station(station);
    shuffle_base_lists(&shuffled.table, 5);
    write_file(sandbox.file("ref.svl50"), image_of(&reference.table));
    write_file(sandbox.file("in.svl50"), image_of(&shuffled.table));

    const CliResult deleted = run_cli({"reorder", "--delete-unmatched", "--reference", sandbox.file("ref.svl50"),
                                       sandbox.file("in.svl50"), sandbox.file("deleted.svl50")},
                                      sandbox);
    ASSERT_EQ(deleted.exit_code, 0) << deleted.err;
    EXPECT_EQ(deleted.out,
              counts_line(reference.list(0), uint32_t(taken.size())) + counts_line(reference.list(1), 0));
    EXPECT_TRUE(read_file(sandbox.file("deleted.svl50")) == image_of(&reference.table));

    const CliResult kept = run_cli({"reorder", "--reference", sandbox.file("ref.svl50"), sandbox.file("in.svl50"),
                                    sandbox.file("kept.svl50")},
                                   sandbox);
    ASSERT_EQ(kept.exit_code, 0) << kept.err;
    OwnedTable result;
    load(sandbox.file("kept.svl50"), &result.table);
    std::vector<Identity> expected = identities(reference.list(0));
    for (uint32_t i = 0; i < shuffled.list(0)->count; ++i) {
        Identity station = identity(shuffled.list(0)->stations[i]);
        if (std::count(taken_identities.begin(), taken_identities.end(), station))
            expected.push_back(station);
    }
    EXPECT_EQ(identities(result.list(0)), expected);
    EXPECT_EQ(identities(result.list(2)), identities(shuffled.list(2))) << "favorite lists stay as they are";
}

// What Export CSV writes of a list: its decoded names, quotes doubled.
std::string csv_of(const svl_list *list)
{
    std::string csv;
    for (uint32_t i = 0; i < list->count; ++i) {
        const svl_station *s = list->stations[i];
        std::string name = cli_name_to_utf8(s->name, s->name_len, s->CharSelCode), doubled;
        for (char c : name)
            doubled += c == '"' ? std::string("\"\"") : std::string(1, c);
        csv += std::to_string(i + 1) + ",\"" + doubled + "\"\r\n";
    }
    return csv;
}

std::vector<std::string> decoded_names(const svl_list *list)
{
    std::vector<std::string> names;
    for (uint32_t i = 0; i < list->count; ++i)
        names.push_back(cli_name_to_utf8(list->stations[i]->name, list->stations[i]->name_len,
                                         list->stations[i]->CharSelCode));
    return names;
}

TEST(CliReorder, TakesTheNamesOfACsvFileForTheListItIsToldOf)
{
    Sandbox sandbox;
    OwnedTable reference, shuffled;
    generate(&reference.table, 50, 4);
    generate(&shuffled.table, 50, 4);
    shuffle_base_lists(&shuffled.table, 6);
    write_file(sandbox.file("ref.csv"), csv_of(reference.list(0)));
    write_file(sandbox.file("in.svl50"), image_of(&shuffled.table));

    const CliResult misuse = run_cli({"reorder", "--reference", sandbox.file("ref.csv"), sandbox.file("in.svl50"),
                                      sandbox.file("out.svl50")},
                                     sandbox);
    EXPECT_EQ(misuse.exit_code, 2);
    const CliResult result = run_cli({"reorder", "--list", "tv", "--reference", sandbox.file("ref.csv"),
                                      sandbox.file("in.svl50"), sandbox.file("out.svl50")},
                                     sandbox);
    ASSERT_EQ(result.exit_code, 0) << result.err;
    OwnedTable out;
    load(sandbox.file("out.svl50"), &out.table);
    // Unnamed stations match nothing and follow the others.
    std::vector<std::string> expected, names = decoded_names(reference.list(0));
    std::copy_if(names.begin(), names.end(), std::back_inserter(expected), [](const std::string &n) { return !n.empty(); });
    expected.resize(names.size());
    EXPECT_EQ(decoded_names(out.list(0)), expected);
    EXPECT_EQ(identities(out.list(1)), identities(shuffled.list(1))) << "the radio list stays as it was";
}

TEST(CliConvert, WritesTheLibrarysConversionByteForByte)
{
    Sandbox sandbox;
    OwnedTable table, converted;
    generate(&table.table, 40, 8);
    generate(&converted.table, 40, 8);
    write_file(sandbox.file("in.svl40"), image_of(&table.table));
    ASSERT_EQ(svl_convert_table(&converted.table), 0);

    const CliResult result = run_cli({"convert", sandbox.file("in.svl40"), sandbox.file("out.svl50")}, sandbox);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_TRUE(read_file(sandbox.file("out.svl50")) == image_of(&converted.table));
    const CliResult again = run_cli({"convert", sandbox.file("out.svl50"), sandbox.file("again.svl50")}, sandbox);
    EXPECT_EQ(again.exit_code, 1);
    EXPECT_EQ(again.err, "kanvio-cli: " + sandbox.file("out.svl50") + ": not a version-40 table\n");
}

svl_station *digital(const char *name, uint16_t service_id)
{
    svl_station *station = make_station(50, 4, name);
    station->NetworkType = 3;
    station->service_id = service_id;
    station->frequency = 506000;
    return station;
}

// Two small tables that differ in every way diff tells of.
void make_tables(svl_table *a, svl_table *b)
{
    svl_station *ard = digital("ARD", 1), *zdf = digital("ZDF", 2), *arte = digital("Arte", 3);
    make_table(a, 50, {ard, zdf, arte, digital("Old", 4)}, {digital("Radio", 9)});
    add_favorite(a, SVL_KIND_TV_FAV, "Fav", {ard, zdf});
    add_favorite(a, SVL_KIND_TV_FAV, "Gone", {arte});
    svl_station *ard_b = digital("ARD", 1), *zdf_b = digital("ZDF", 2), *arte_b = digital("Arte", 3);
    ard_b->frequency = 514000;
    make_table(b, 50, {zdf_b, ard_b, arte_b, digital("New", 5)}, {digital("Radio", 9)});
    add_favorite(b, SVL_KIND_TV_FAV, "Fav", {zdf_b});
    add_favorite(b, SVL_KIND_TV_FAV, "Added", {arte_b});
}

TEST(CliDiff, TellsEveryKindOfDifferenceAndExitsWithZeroOneOrTwo)
{
    Sandbox sandbox;
    OwnedTable a, b;
    make_tables(&a.table, &b.table);
    write_file(sandbox.file("a.svl50"), image_of(&a.table));
    write_file(sandbox.file("b.svl50"), image_of(&b.table));

    const CliResult differ = run_cli({"diff", sandbox.file("a.svl50"), sandbox.file("b.svl50")}, sandbox);
    EXPECT_EQ(differ.exit_code, 1);
    EXPECT_EQ(differ.out, "ALL_TV: only in A: 4 \"Old\"\n"
                          "ALL_TV: only in B: 4 \"New\"\n"
                          "ALL_TV: moved: \"ARD\" 1 -> 2\n"
                          "ALL_TV: changed: 1 \"ARD\": frequency\n"
                          "ALL_TV: moved: \"ZDF\" 2 -> 1\n"
                          "favorite list \"Fav\": differs\n"
                          "favorite list \"Gone\": only in A\n"
                          "favorite list \"Added\": only in B\n");
    const CliResult same = run_cli({"diff", sandbox.file("a.svl50"), sandbox.file("a.svl50")}, sandbox);
    EXPECT_EQ(same.exit_code, 0);
    EXPECT_EQ(same.out + same.err, "");
    const CliResult usage = run_cli({"diff", sandbox.file("a.svl50")}, sandbox);
    EXPECT_EQ(usage.exit_code, 2);
    const CliResult missing = run_cli({"diff", sandbox.file("a.svl50"), sandbox.file("none.svl50")}, sandbox);
    EXPECT_EQ(missing.exit_code, 2);
    EXPECT_EQ(missing.err, "kanvio-cli: " + sandbox.file("none.svl50") + ": cannot open: No such file or directory\n");
}

}  // namespace
