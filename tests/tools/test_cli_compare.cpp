// kanvio-cli reorder, convert and diff against tables made by the library.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "svl/svl_image.h"
#include "svl/svl_match.h"
#include "svl/svl_ops.h"
#include "tests/support/runners.h"
#include "tests/support/tables.h"
#include "tools/gen/svl_generate.h"

namespace {

void generate(svl_table *table, uint16_t version, uint64_t seed)
{
    ASSERT_EQ(svl_generate_table(table, {600, version, version == 50 ? 2u : 0u, 50, seed}), 0);
}

// Every station gets a name of its own, so that names match as surely as ids.
void name_every_station(svl_table *table)
{
    for (int base = 0; base < 2; ++base) {
        svl_list *list = table->lists[base];
        for (uint32_t i = 0; i < list->count; ++i)
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

// Appends TV stations that no reference names; their names.
std::vector<std::string> add_extra_stations(svl_table *table)
{
    std::vector<std::string> names;
    for (int i = 0; i < 80; ++i) {
        names.push_back("Extra " + std::to_string(i));
        svl_append_station(table->lists[SVL_TV_LIST_INDEX], make_station(50, 1, names.back().c_str()));
    }
    return names;
}

std::vector<std::string> names_of(const svl_list *list)
{
    std::vector<std::string> names;
    for (uint32_t i = 0; i < list->count; ++i)
        names.push_back(list->stations[i]->name);
    return names;
}

// What Export CSV writes of a list of plain ASCII names.
std::string csv_of(const svl_list *list)
{
    std::string csv;
    for (uint32_t i = 0; i < list->count; ++i)
        csv += std::to_string(i + 1) + ",\"" + list->stations[i]->name + "\"\r\n";
    return csv;
}

// The table to reorder is the reference with TV stations added, shuffled.
// Reordering with deletion gives the reference byte for byte; without, the
// added stations follow it in their shuffled order, and a CSV of the
// reference's TV names does the same.
TEST(CliReorder, GivesTheReferenceOrderAndPutsTheRestAtTheEndOrDeletesIt)
{
    Sandbox sandbox;
    OwnedTable reference, shuffled;
    for (svl_table *table : {&reference.table, &shuffled.table}) {
        generate(table, 50, 3);
        name_every_station(table);
    }
    const std::vector<std::string> extra = add_extra_stations(&shuffled.table);
    std::mt19937 random(5);
    for (svl_list *list : {shuffled.list(0), shuffled.list(1)})
        std::shuffle(list->stations, list->stations + list->count, random);
    write_file(sandbox.file("ref.svl50"), image_of(&reference.table));
    write_file(sandbox.file("ref.csv"), csv_of(reference.list(0)));
    write_file(sandbox.file("in.svl50"), image_of(&shuffled.table));
    auto reorder = [&](std::vector<std::string> arguments, const char *reference_file, const char *out) {
        arguments.insert(arguments.begin(), "reorder");
        arguments.insert(arguments.end(), {"--reference", sandbox.file(reference_file), sandbox.file("in.svl50"),
                                           sandbox.file(out)});
        return run_cli(arguments, sandbox);
    };

    const CliResult deleted = reorder({"--delete-unmatched"}, "ref.svl50", "deleted.svl50");
    ASSERT_EQ(deleted.exit_code, 0) << deleted.err;
    EXPECT_EQ(deleted.out, counts_line(reference.list(0), uint32_t(extra.size())) + counts_line(reference.list(1), 0));
    EXPECT_TRUE(read_file(sandbox.file("deleted.svl50")) == image_of(&reference.table));

    ASSERT_EQ(reorder({"--list", "tv"}, "ref.svl50", "kept.svl50").exit_code, 0);
    OwnedTable kept;
    ASSERT_EQ(svl_load_file(&kept.table, sandbox.file("kept.svl50").c_str()), 0);
    std::vector<std::string> expected = names_of(reference.list(0));
    for (const std::string &name : names_of(shuffled.list(0)))
        if (std::count(extra.begin(), extra.end(), name))
            expected.push_back(name);
    EXPECT_EQ(names_of(kept.list(0)), expected);
    EXPECT_EQ(names_of(kept.list(2)), names_of(shuffled.list(2))) << "favorite lists stay as they are";

    EXPECT_EQ(reorder({}, "ref.csv", "csv.svl50").exit_code, 2) << "a CSV file names the list it orders";
    ASSERT_EQ(reorder({"--list", "tv"}, "ref.csv", "csv.svl50").exit_code, 0);
    EXPECT_TRUE(read_file(sandbox.file("csv.svl50")) == read_file(sandbox.file("kept.svl50")));
}

TEST(CliConvert, WritesTheLibrarysConversionByteForByte)
{
    Sandbox sandbox;
    OwnedTable table;
    generate(&table.table, 40, 8);
    write_file(sandbox.file("in.svl40"), image_of(&table.table));
    ASSERT_EQ(svl_convert_table(&table.table), 0);

    const CliResult result = run_cli({"convert", sandbox.file("in.svl40"), sandbox.file("out.svl50")}, sandbox);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_TRUE(read_file(sandbox.file("out.svl50")) == image_of(&table.table));
    EXPECT_EQ(run_cli({"convert", sandbox.file("out.svl50"), sandbox.file("again.svl50")}, sandbox).all(),
              std::make_tuple(1, "", "kanvio-cli: " + sandbox.file("out.svl50") + ": not a version-40 table\n"));
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
    svl_station *ard_b = digital("ARD", 1), *zdf_b = digital("ZDF", 2), *arte_b = digital("arte HD", 3);
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
                          "ALL_TV: changed: 3 \"Arte\": name\n"
                          "favorite list \"Fav\": differs\n"
                          "favorite list \"Gone\": only in A\n"
                          "favorite list \"Added\": only in B\n");
    EXPECT_EQ(run_cli({"diff", sandbox.file("a.svl50"), sandbox.file("a.svl50")}, sandbox).all(),
              std::make_tuple(0, "", ""));
    EXPECT_EQ(run_cli({"diff", sandbox.file("a.svl50")}, sandbox).exit_code, 2);
    EXPECT_EQ(run_cli({"diff", sandbox.file("a.svl50"), sandbox.file("none.svl50")}, sandbox).all(),
              std::make_tuple(2, "", "kanvio-cli: " + sandbox.file("none.svl50") +
                                         ": cannot open: No such file or directory\n"));
}

}  // namespace
