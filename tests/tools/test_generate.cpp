// The table generator: the shape every table has, tables of every kind,
// and refused options.
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "svl/svl_ops.h"
#include "tests/support/tables.h"
#include "tools/gen/svl_generate.h"

namespace {

class Generator : public testing::TestWithParam<svl_generate_options> {};

// Base lists hold the stations of their medium, numbered as a save numbers
// them; favorite lists follow, of their medium's stations and sized by the
// share; a version-40 table has neither favorite lists nor 5.0 fields.
TEST_P(Generator, ListsFollowTheTableOrderAndHoldStationsOfTheirMedium)
{
    const svl_generate_options &options = GetParam();
    OwnedTable table;
    ASSERT_EQ(svl_generate_table(&table.table, options), 0);
    const uint32_t favorites = options.version == 50 ? options.favorites : 0;
    ASSERT_EQ(table->list_count, 2 + 2 * favorites);
    EXPECT_EQ(table->version, options.version);
    EXPECT_EQ(table.list(0)->count + table.list(1)->count, options.stations);
    std::set<const svl_station *> members[2];
    std::set<int> types;
    uint32_t uid = 1;
    for (uint32_t l = 0; l < 2; ++l) {
        EXPECT_EQ(table.list(l)->kind, l + 1);
        for (const svl_station *s : entries(table.list(l))) {
            EXPECT_NE(svl_station_medium(s), l == 0 ? SVL_MEDIUM_RADIO : SVL_MEDIUM_TV);
            EXPECT_EQ(s->version, options.version);
            EXPECT_EQ(s->uid, options.version == 50 ? uint16_t(uid++) : 0);
            EXPECT_TRUE(options.version == 50 || (s->origin_name == nullptr && s->aux_dword == 0));
            members[l].insert(s);
            types.insert(s->ProgramDataByte);
        }
    }
    EXPECT_EQ(types.size() == 12, options.every_kind) << "every type 0 to 11";
    std::set<std::string> names;
    for (uint32_t l = 2; l < table->list_count; ++l) {
        const uint32_t medium = l < 2 + favorites ? 0 : 1;
        EXPECT_EQ(table.list(l)->kind, 3 + medium);
        EXPECT_TRUE(names.insert(table.list(l)->name).second) << table.list(l)->name;
        EXPECT_EQ(table.list(l)->count, (table.list(medium)->count * options.favorite_percent + 50) / 100);
        for (const svl_station *s : entries(table.list(l)))
            EXPECT_EQ(members[medium].count(s), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(Options, Generator,
                         testing::Values(svl_generate_options{0, 50, 8, 100, 1}, svl_generate_options{1, 50, 1, 100, 2},
                                         svl_generate_options{500, 50, 3, 37, 3}, svl_generate_options{500, 40, 8, 100, 4},
                                         svl_generate_options{48, 50, 8, 30, 5, true},
                                         svl_generate_options{24, 40, 0, 0, 6, true}));

TEST(GeneratorOptions, AreRefusedOutsideTheirRangeAndAFilledTableIsLeftAlone)
{
    for (const svl_generate_options &options : {svl_generate_options{10, 45}, svl_generate_options{10, 50, 9},
                                                svl_generate_options{10, 50, 2, 101}}) {
        OwnedTable table;
        EXPECT_EQ(svl_generate_table(&table.table, options), -1);
        EXPECT_EQ(table->lists, nullptr);
    }
    OwnedTable table;
    ASSERT_EQ(svl_init_table(&table.table, 50), 0);
    EXPECT_EQ(svl_generate_table(&table.table, svl_generate_options{}), -1);
    EXPECT_EQ(table.list(0)->count, 0u);
    EXPECT_EQ(svl_generate_table(nullptr, svl_generate_options{}), -1);
}

}  // namespace
