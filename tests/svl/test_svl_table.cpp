// Table routines: the lists of a table and merging two tables.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "svl/svl_ops.h"
#include "svl_test_support.h"

namespace {

std::vector<std::string> list_names(const svl_table *table)
{
    std::vector<std::string> names;
    for (uint32_t i = 0; i < table->list_count; ++i)
        names.push_back(table->lists[i]->name);
    return names;
}

std::vector<svl_station *> entries(const svl_list *list)
{
    return std::vector<svl_station *>(list->stations, list->stations + list->count);
}

svl_list *favorite(const char *name, uint32_t kind)
{
    return svl_new_list(name, kind, SVL_ATTR_FAVORITE);
}

TEST(InitTable, HoldsTheTwoEmptyBaseLists)
{
    OwnedTable table;
    ASSERT_EQ(svl_init_table(&table.table, 50), 0);
    EXPECT_EQ(table->version, 50);
    ASSERT_EQ(table->list_count, 2u);
    EXPECT_STREQ(table.list(0)->name, "ALL_TV");
    EXPECT_EQ(table.list(0)->kind, 1u);
    EXPECT_EQ(table.list(0)->attr, 3);
    EXPECT_STREQ(table.list(1)->name, "ALL_Radio");
    EXPECT_EQ(table.list(1)->kind, 2u);
    EXPECT_EQ(table.list(1)->attr, 3);
    EXPECT_EQ(table.list(0)->count + table.list(1)->count, 0u);
}

TEST(InsertList, PutsTheListAtTheIndexAndAppendsBeyondTheEnd)
{
    OwnedTable table;
    make_table(&table.table, 50, {}, {});
    ASSERT_EQ(svl_insert_list(&table.table, 2, favorite("second", 3)), 0);
    ASSERT_EQ(svl_insert_list(&table.table, 2, favorite("first", 3)), 0);
    ASSERT_EQ(svl_insert_list(&table.table, 3, favorite("middle", 3)), 0);
    ASSERT_EQ(svl_insert_list(&table.table, 4, favorite("end", 4)), 0);
    ASSERT_EQ(svl_insert_list(&table.table, 99, favorite("beyond", 4)), 0);
    EXPECT_EQ(list_names(&table.table),
              (std::vector<std::string>{"ALL_TV", "ALL_Radio", "first", "middle", "end", "second", "beyond"}));
}

TEST(InsertList, RefusesNullTableOrList)
{
    OwnedTable table;
    make_table(&table.table, 50, {}, {});
    svl_list *list = favorite("x", 3);
    EXPECT_EQ(svl_insert_list(nullptr, 0, list), -1);
    EXPECT_EQ(svl_insert_list(&table.table, 0, nullptr), -1);
    EXPECT_EQ(svl_append_list(nullptr, list), -1);
    EXPECT_EQ(svl_append_list(&table.table, nullptr), -1);
    EXPECT_EQ(table->list_count, 2u);
    svl_free_list(list, 0);
}

TEST(RemoveList, TakesOutAFavoriteListWithoutReleasingIt)
{
    OwnedTable table;
    make_table(&table.table, 50, {}, {});
    svl_list *first = favorite("first", 3), *second = favorite("second", 4);
    svl_append_list(&table.table, first);
    svl_append_list(&table.table, second);
    EXPECT_EQ(svl_remove_list_at(&table.table, 2), first);
    EXPECT_EQ(list_names(&table.table), (std::vector<std::string>{"ALL_TV", "ALL_Radio", "second"}));
    EXPECT_STREQ(first->name, "first");
    svl_free_list(first, 0);
}

TEST(RemoveList, NeverRemovesBaseListsOrIndexesBeyondTheEnd)
{
    OwnedTable table;
    make_table(&table.table, 50, {}, {});
    svl_append_list(&table.table, favorite("fav", 3));
    EXPECT_EQ(svl_remove_list_at(&table.table, 0), nullptr);
    EXPECT_EQ(svl_remove_list_at(&table.table, 1), nullptr);
    EXPECT_EQ(svl_remove_list_at(&table.table, 3), nullptr);
    EXPECT_EQ(svl_remove_list_at(nullptr, 2), nullptr);
    EXPECT_EQ(list_names(&table.table), (std::vector<std::string>{"ALL_TV", "ALL_Radio", "fav"}));
}

TEST(ListNameExists, ComparesExactBytesAndSkipsTheExceptedList)
{
    OwnedTable table;
    make_table(&table.table, 50, {}, {});
    svl_list *sport = favorite("Sport", 3);
    svl_append_list(&table.table, sport);
    EXPECT_EQ(svl_list_name_exists(&table.table, nullptr, "Sport"), 1);
    EXPECT_EQ(svl_list_name_exists(&table.table, sport, "Sport"), 0);
    EXPECT_EQ(svl_list_name_exists(&table.table, nullptr, "sport"), 0);
    EXPECT_EQ(svl_list_name_exists(&table.table, nullptr, "Spor"), 0);
    EXPECT_EQ(svl_list_name_exists(&table.table, sport, "ALL_TV"), 1);
    svl_append_list(&table.table, favorite("Sport", 4));
    EXPECT_EQ(svl_list_name_exists(&table.table, sport, "Sport"), 1);
    EXPECT_EQ(svl_list_name_exists(&table.table, nullptr, nullptr), 0);
    EXPECT_EQ(svl_list_name_exists(nullptr, nullptr, "Sport"), 0);
}

TEST(SortLists, OrdersByKindKeepingTheOrderWithinAKind)
{
    OwnedTable table;
    make_table(&table.table, 50, {}, {});
    svl_append_list(&table.table, favorite("r1", 4));
    svl_append_list(&table.table, favorite("t1", 3));
    svl_append_list(&table.table, favorite("r2", 4));
    svl_append_list(&table.table, favorite("t2", 3));
    svl_append_list(&table.table, favorite("t3", 3));
    svl_sort_lists(&table.table);
    EXPECT_EQ(list_names(&table.table),
              (std::vector<std::string>{"ALL_TV", "ALL_Radio", "t1", "t2", "t3", "r1", "r2"}));
    svl_sort_lists(nullptr);
}

// A table of the version with the given numbers of TV and radio favorite
// lists named by their kind and position.
void table_with_favorites(svl_table *table, uint16_t version, int tv, int radio, const char *prefix)
{
    make_table(table, version, {make_station(version, 1, prefix)}, {make_station(version, 6, prefix)});
    for (int i = 0; i < tv; ++i)
        add_favorite(table, 3, (std::string(prefix) + "tv" + std::to_string(i)).c_str(), {table->lists[0]->stations[0]});
    for (int i = 0; i < radio; ++i)
        add_favorite(table, 4, (std::string(prefix) + "radio" + std::to_string(i)).c_str(), {table->lists[1]->stations[0]});
}

struct LimitCase {
    int a_tv, a_radio, b_tv, b_radio, result;
};

class FavoriteLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(FavoriteLimit, AllowsAtMostEightListsOfEachMedium)
{
    const LimitCase &c = GetParam();
    OwnedTable a, b;
    table_with_favorites(&a.table, 50, c.a_tv, c.a_radio, "a");
    table_with_favorites(&b.table, 50, c.b_tv, c.b_radio, "b");
    EXPECT_EQ(svl_check_fav_limit(&a.table, &b.table), c.result);
}

INSTANTIATE_TEST_SUITE_P(Counts, FavoriteLimit,
                         ::testing::Values(LimitCase{0, 0, 0, 0, 0}, LimitCase{8, 8, 0, 0, 0},
                                           LimitCase{4, 3, 4, 5, 0}, LimitCase{5, 0, 4, 0, -1},
                                           LimitCase{0, 8, 0, 1, -1}, LimitCase{9, 0, 0, 0, -1}));

// What a merge must leave alone when it fails.
struct Snapshot {
    std::vector<std::string> names;
    std::vector<std::vector<svl_station *>> lists;
    explicit Snapshot(const svl_table *table)
    {
        for (uint32_t i = 0; i < table->list_count; ++i) {
            names.push_back(table->lists[i]->name);
            lists.push_back(entries(table->lists[i]));
        }
    }
    bool operator==(const Snapshot &other) const { return names == other.names && lists == other.lists; }
};

TEST(AppendTable, MovesBaseStationsAndCopiesFavoritesWithAttrFour)
{
    OwnedTable dest, source;
    table_with_favorites(&dest.table, 50, 1, 1, "d");
    table_with_favorites(&source.table, 50, 2, 1, "s");
    svl_station *extra = make_station(50, 1, "extra");
    svl_append_station(source.list(0), extra);
    source.list(2)->attr = 9;
    std::vector<svl_station *> dest_tv = entries(dest.list(0)), dest_radio = entries(dest.list(1));
    std::vector<svl_station *> source_tv = entries(source.list(0)), source_radio = entries(source.list(1));

    const int merged = svl_append_table(&dest.table, &source.table, 0);
    std::vector<std::vector<svl_station *>> source_favorites;
    for (uint32_t i = 2; i < source->list_count; ++i)
        source_favorites.push_back(entries(source.list(i)));
    svl_free_table(&source.table, 0);
    ASSERT_EQ(merged, 0);
    dest_tv.insert(dest_tv.end(), source_tv.begin(), source_tv.end());
    dest_radio.insert(dest_radio.end(), source_radio.begin(), source_radio.end());
    EXPECT_EQ(entries(dest.list(0)), dest_tv);
    EXPECT_EQ(entries(dest.list(1)), dest_radio);
    EXPECT_EQ(list_names(&dest.table),
              (std::vector<std::string>{"ALL_TV", "ALL_Radio", "dtv0", "dradio0", "stv0", "stv1", "sradio0"}));
    const uint32_t kinds[] = {3, 3, 4};
    for (uint32_t i = 4; i < 7; ++i) {
        EXPECT_EQ(dest.list(i)->attr, 4) << i;
        EXPECT_EQ(dest.list(i)->kind, kinds[i - 4]);
        EXPECT_EQ(entries(dest.list(i)), source_favorites[i - 4]);
    }
    svl_sort_lists(&dest.table);
    EXPECT_EQ(list_names(&dest.table),
              (std::vector<std::string>{"ALL_TV", "ALL_Radio", "dtv0", "stv0", "stv1", "dradio0", "sradio0"}));
}

class AppendTableSkip : public ::testing::TestWithParam<uint32_t> {};

TEST_P(AppendTableSkip, KeepsOnlyAsManySourceFavoritesAsFitUnderEight)
{
    const bool tv_full = GetParam() == SVL_KIND_TV_FAV;
    OwnedTable dest, source;
    table_with_favorites(&dest.table, 50, tv_full ? 6 : 0, tv_full ? 0 : 6, "d");
    table_with_favorites(&source.table, 50, tv_full ? 5 : 2, tv_full ? 2 : 5, "s");
    const Snapshot dest_before(&dest.table), source_before(&source.table);

    EXPECT_EQ(svl_append_table(&dest.table, &source.table, 0), -1);
    EXPECT_TRUE(Snapshot(&dest.table) == dest_before) << "a refused merge changes nothing";
    EXPECT_TRUE(Snapshot(&source.table) == source_before);

    const int merged = svl_append_table(&dest.table, &source.table, 1);
    // The records now belong to dest: whatever the result, free the source without them.
    svl_free_table(&source.table, 0);
    ASSERT_EQ(merged, 0);
    // Two lists of the full medium fit; the other medium's come in whole.
    const std::vector<std::string> names = list_names(&dest.table);
    ASSERT_EQ(names.size(), 12u);
    EXPECT_EQ(std::vector<std::string>(names.begin() + 8, names.end()),
              (std::vector<std::string>{"stv0", "stv1", "sradio0", "sradio1"}));
}

INSTANTIATE_TEST_SUITE_P(Media, AppendTableSkip, ::testing::Values(SVL_KIND_TV_FAV, SVL_KIND_RADIO_FAV));

TEST(AppendTable, RefusesDifferentVersionsAndChangesNothing)
{
    OwnedTable dest, source;
    table_with_favorites(&dest.table, 50, 1, 0, "d");
    table_with_favorites(&source.table, 40, 0, 0, "s");
    const Snapshot before(&dest.table);
    EXPECT_EQ(svl_append_table(&dest.table, &source.table, 1), -1);
    EXPECT_TRUE(Snapshot(&dest.table) == before);
    EXPECT_EQ(source.list(0)->count, 1u);
}

TEST(AppendTable, RefusesTablesWithoutBothBaseListsAndNullTables)
{
    OwnedTable dest, source;
    table_with_favorites(&dest.table, 50, 0, 0, "d");
    source->version = 50;
    svl_append_list(&source.table, svl_new_list("ALL_TV", 1, 3));
    const Snapshot before(&dest.table);
    EXPECT_EQ(svl_append_table(&dest.table, &source.table, 1), -1);
    EXPECT_EQ(svl_append_table(&source.table, &dest.table, 1), -1);
    EXPECT_EQ(svl_append_table(nullptr, &dest.table, 1), -1);
    EXPECT_EQ(svl_append_table(&dest.table, nullptr, 1), -1);
    EXPECT_TRUE(Snapshot(&dest.table) == before);
}

TEST(AppendTable, FailsOnAListOfUnknownKindWithoutTakingAnything)
{
    OwnedTable dest, source;
    table_with_favorites(&dest.table, 50, 1, 0, "d");
    table_with_favorites(&source.table, 50, 1, 0, "s");
    svl_append_list(&source.table, svl_new_list("odd", 7, 4));
    const Snapshot dest_before(&dest.table);
    EXPECT_EQ(svl_append_table(&dest.table, &source.table, 1), -1);
    // The source keeps its stations: both tables are still freed with them.
    EXPECT_TRUE(Snapshot(&dest.table) == dest_before);
}

}  // namespace
