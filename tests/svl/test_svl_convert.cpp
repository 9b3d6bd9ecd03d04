// Where lists of each kind stand, unique list names, and converting a
// version-40 table to version 50.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "svl/svl_ops.h"
#include "svl_test_support.h"

namespace {

TEST(ListKinds, NameTheirMediumAndRole)
{
    struct Row {
        uint32_t kind;
        int base, favorite, base_index;
        uint32_t favorite_kind;
    };
    const Row rows[] = {{0, 0, 0, -1, 0},
                        {SVL_KIND_TV, 1, 0, 0, SVL_KIND_TV_FAV},
                        {SVL_KIND_RADIO, 1, 0, 1, SVL_KIND_RADIO_FAV},
                        {SVL_KIND_TV_FAV, 0, 1, 0, SVL_KIND_TV_FAV},
                        {SVL_KIND_RADIO_FAV, 0, 1, 1, SVL_KIND_RADIO_FAV},
                        {5, 0, 0, -1, 0}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.kind);
        EXPECT_EQ(svl_is_base_kind(row.kind), row.base);
        EXPECT_EQ(svl_is_favorite_kind(row.kind), row.favorite);
        EXPECT_EQ(svl_base_index_of(row.kind), row.base_index);
        EXPECT_EQ(svl_favorite_kind_of(row.kind), row.favorite_kind);
    }
}

TEST(ListKinds, FavoriteListsOfEachMediumStartAfterThoseBeforeThem)
{
    OwnedTable table;
    make_table(&table.table, 50, {}, {});
    EXPECT_EQ(svl_first_favorite_index(&table.table, SVL_KIND_RADIO_FAV), 2);
    add_favorite(&table.table, SVL_KIND_TV_FAV, "a", {});
    add_favorite(&table.table, SVL_KIND_TV_FAV, "b", {});
    add_favorite(&table.table, SVL_KIND_RADIO_FAV, "c", {});
    EXPECT_EQ(svl_count_lists_of_kind(&table.table, SVL_KIND_TV_FAV), 2u);
    EXPECT_EQ(svl_count_lists_of_kind(&table.table, SVL_KIND_RADIO_FAV), 1u);
    EXPECT_EQ(svl_first_favorite_index(&table.table, SVL_KIND_TV_FAV), 2);
    EXPECT_EQ(svl_first_favorite_index(&table.table, SVL_KIND_RADIO_FAV), 4);
    EXPECT_EQ(svl_first_favorite_index(&table.table, SVL_KIND_TV), -1);
    EXPECT_EQ(svl_count_lists_of_kind(nullptr, SVL_KIND_TV), 0u);
}

TEST(UniqueListName, CountsADigitUpAndGivesUpAfterNine)
{
    OwnedTable table;
    make_table(&table.table, 50, {}, {});
    add_favorite(&table.table, SVL_KIND_TV_FAV, "new tab", {});
    add_favorite(&table.table, SVL_KIND_TV_FAV, "new tab1", {});
    svl_list *fresh = add_favorite(&table.table, SVL_KIND_TV_FAV, "new tab", {});
    ASSERT_EQ(svl_make_list_name_unique(&table.table, fresh), 0);
    EXPECT_STREQ(fresh->name, "new tab2");
    EXPECT_EQ(svl_make_list_name_unique(&table.table, fresh), 0);
    EXPECT_STREQ(fresh->name, "new tab2");

    for (char digit = '3'; digit <= '9'; ++digit)
        add_favorite(&table.table, SVL_KIND_RADIO_FAV, (std::string("new tab") + digit).c_str(), {});
    svl_list *hopeless = add_favorite(&table.table, SVL_KIND_RADIO_FAV, "new tab", {});
    EXPECT_EQ(svl_make_list_name_unique(&table.table, hopeless), 1);
    EXPECT_STREQ(hopeless->name, "new tab");
}

TEST(ConvertTable, NumbersStationsAndAddsAFavoriteListPerMedium)
{
    OwnedTable table;
    make_table(&table.table, 40,
               {make_station(40, 3, "ARD"), make_station(40, 4, "ZDF"), make_station(40, 1, "")},
               {make_station(40, 6, "Radio 1"), make_station(40, 9, "Radio 2")});
    table.list(0)->stations[0]->aux_bytes[0] = 9;
    ASSERT_EQ(svl_convert_table(&table.table), 0);

    EXPECT_EQ(table->version, 50);
    ASSERT_EQ(table->list_count, 4u);
    const char *names[] = {"ALL_TV", "ALL_Radio", "ALL_TV1", "ALL_Radio1"};
    const uint32_t kinds[] = {1, 2, 3, 4};
    for (uint32_t i = 0; i < 4; ++i) {
        EXPECT_STREQ(table.list(i)->name, names[i]);
        EXPECT_EQ(table.list(i)->kind, kinds[i]);
    }
    uint16_t uid = 1;
    for (uint32_t base = 0; base < 2; ++base) {
        const svl_list *list = table.list(base);
        ASSERT_EQ(table.list(base + 2)->count, list->count);
        for (uint32_t row = 0; row < list->count; ++row) {
            const svl_station *station = list->stations[row];
            EXPECT_EQ(table.list(base + 2)->stations[row], station);
            EXPECT_EQ(station->version, 50);
            EXPECT_EQ(station->uid, uid++);
            EXPECT_EQ(station->aux_word2, 0xFFFF);
            EXPECT_EQ(station->aux_bytes[1] * 1000 + station->aux_bytes[2] * 100 + station->aux_bytes[3] * 10 +
                          station->aux_bytes[4],
                      1020);
            EXPECT_EQ(station->origin_name_len, station->name_len);
            if (station->name) {
                EXPECT_STREQ(station->origin_name, station->name);
                EXPECT_NE(station->origin_name, station->name);
            } else {
                EXPECT_EQ(station->origin_name, nullptr);
            }
        }
    }
    EXPECT_EQ(table.list(0)->stations[0]->aux_bytes[0], 9);
}

TEST(ConvertTable, RefusesWhatIsNoVersion40TableAndChangesNothing)
{
    OwnedTable newer;
    make_table(&newer.table, 50, {make_station(50, 3, "ARD")}, {});
    EXPECT_EQ(svl_convert_table(&newer.table), -1);
    EXPECT_EQ(newer->list_count, 2u);
    EXPECT_EQ(newer.list(0)->stations[0]->uid, 0);

    svl_table empty{};
    empty.version = 40;
    EXPECT_EQ(svl_convert_table(&empty), -1);
    EXPECT_EQ(svl_convert_table(nullptr), -1);
    EXPECT_EQ(svl_convert_station(nullptr, 1), -1);
}

} // namespace
