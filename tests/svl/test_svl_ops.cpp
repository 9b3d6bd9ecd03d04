// Operations on stations, lists and tables: random edits against a model,
// names, sorting by every key, merging and converting tables.
#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "svl/svl_ops.h"
#include "tests/support/tables.h"
#include "tools/gen/svl_generate.h"

namespace {

using Stations = std::vector<svl_station *>;
using Results = std::vector<int>;

svl_list *new_list(const Stations &stations)
{
    svl_list *list = svl_new_list("List", SVL_KIND_TV, SVL_ATTR_BASE);
    for (svl_station *station : stations)
        svl_append_station(list, station);
    return list;
}

TEST(ListOperations, FollowAModelThroughRandomEditsAndRefuseWhatIsOutOfRangeOrNull)
{
    std::mt19937 random(7);
    Stations pool, model;
    for (int i = 0; i < 6; ++i)
        pool.push_back(make_station(50, 1, "s"));
    svl_list *list = new_list({});
    for (int step = 0; step < 600; ++step) {
        svl_station *station = pool[random() % pool.size()];
        const uint32_t index = random() % (model.size() + 2), action = random() % 4;
        if (action == 0) {
            ASSERT_EQ(svl_insert_station(list, station, index), index <= model.size() ? 0 : -1);
            if (index <= model.size())
                model.insert(model.begin() + index, station);
        } else if (action == 1) {
            ASSERT_EQ(svl_append_station(list, station), 0);
            model.push_back(station);
        } else {
            ASSERT_EQ(svl_remove_station_at(list, index), index < model.size() ? model[index] : nullptr);
            if (index < model.size())
                model.erase(model.begin() + index);
        }
        ASSERT_EQ(entries(list), model);
        ASSERT_EQ(list->stations == nullptr, model.empty()) << "an empty list has no array";
        const auto last = std::find(model.rbegin(), model.rend(), station);
        ASSERT_EQ(svl_index_of_station(list, station), int(model.rend() - last) - 1);
    }
    ASSERT_EQ(svl_reserve_stations(list, 1000), 0);
    svl_list *copy = svl_copy_list(list);
    EXPECT_EQ(entries(copy), model);
    EXPECT_TRUE(copy->stations != list->stations && copy->name != list->name && strcmp(copy->name, "List") == 0);
    EXPECT_EQ(copy->kind, list->kind);
    svl_free_list(copy, 0);
    svl_free_list(list, 0);
    svl_list *owner = new_list(pool);
    EXPECT_EQ(svl_insert_station(owner, nullptr, 0), -1);
    ASSERT_EQ(svl_append_station(owner, nullptr), 0);
    EXPECT_EQ(svl_remove_station_at(owner, 6), nullptr) << "a null entry is not removed";
    EXPECT_EQ(owner->count, 7u);
    svl_free_list(owner, 1);  // the null entry too
}

TEST(Names, AreCopiesOfAtMost255BytesAndRefusalsKeepTheOldOne)
{
    svl_station *station = make_station(50, 5, "Old");
    char name[] = "Das Erste";
    const std::string longest(255, 'n'), too_long(256, 'n');
    for (const char *refused : {static_cast<const char *>(nullptr), "", too_long.c_str()})
        EXPECT_EQ(svl_set_station_name(station, refused), 1);
    EXPECT_STREQ(station->name, "Old");
    ASSERT_EQ((Results{svl_set_station_name(station, name), svl_set_station_origin_name(station, name)}), Results(2, 0));
    name[0] = 'X';
    EXPECT_EQ(svl_set_station_origin_name(station, too_long.c_str()), 1);
    EXPECT_EQ((std::vector<std::string>{station->name, station->origin_name}), std::vector<std::string>(2, "Das Erste"));
    EXPECT_EQ(station->origin_name_len, 9);
    ASSERT_EQ(svl_set_station_name(station, longest.c_str()), 0);
    EXPECT_EQ(std::make_pair(std::string(station->name), int(station->name_len)), std::make_pair(longest, 255));
    svl_station *copy = svl_copy_station(station);
    EXPECT_EQ(memcmp(copy, station, sizeof *station), 0) << "every field, the names shared";
    svl_free_station_copy(copy);
    for (const char *cleared : {"", static_cast<const char *>(nullptr)}) {
        ASSERT_EQ((Results{svl_set_station_origin_name(station, "x"), svl_set_station_origin_name(station, cleared)}),
                  Results(2, 0));
        EXPECT_EQ(station->origin_name, nullptr);
        EXPECT_EQ(station->origin_name_len, 0);
    }
    svl_free_station(station);

    svl_list *list = new_list({});
    EXPECT_EQ(svl_set_list_name(list, ""), 1);
    ASSERT_EQ(svl_set_list_name(list, name), 0);
    name[0] = 'Y';
    EXPECT_STREQ(list->name, "Xas Erste");
    svl_free_list(list, 0);
}

// A table may hold a name with NUL bytes inside: clones, assignments,
// comparisons and the origin name of a conversion take all its counted bytes.
TEST(StationRecords, ClonesAndAssignmentsCarryEveryFieldWithTextsOfTheirOwn)
{
    OwnedTable table;
    ASSERT_EQ(svl_generate_table(&table.table, {24, 50, 2, 20, 1, true}), 0);
    svl_station *nul_inside = make_station(40, 3, "ARD..XYZ");
    nul_inside->name[3] = nul_inside->name[4] = '\0';
    ASSERT_EQ(svl_append_station(table.list(0), nul_inside), 0);
    svl_station *target = make_station(50, 1, "Target");
    for (const svl_station *station : entries(table.list(0))) {
        svl_station *clone = svl_clone_station(station);
        ASSERT_NE(clone, nullptr);
        EXPECT_TRUE(svl_stations_equal(clone, station));
        ASSERT_EQ(svl_assign_station(target, clone), 0);
        // The sanitizers see any text the target still shared with the clone.
        svl_free_station(clone);
        EXPECT_TRUE(svl_stations_equal(target, station));
        EXPECT_TRUE(!station->name || target->name != station->name);
        target->aux_byte ^= 1;
        EXPECT_FALSE(svl_stations_equal(target, station)) << "the last field counts";
        target->aux_byte ^= 1;
        if (target->name) {
            target->name[target->name_len - 1] ^= 1;
            EXPECT_FALSE(svl_stations_equal(target, station)) << "the name's last byte counts";
        }
    }
    EXPECT_EQ(svl_assign_station(target, nullptr), -1);
    svl_free_station(target);
    ASSERT_EQ(svl_convert_station(nul_inside, 1), 0);
    EXPECT_EQ(std::string(nul_inside->origin_name, nul_inside->origin_name_len), std::string("ARD\0\0XYZ", 8));
}

// Case is folded for ASCII letters only; unnamed stations never match.
TEST(FindStationsByName, GivesTheMatchingIndexesFromTheHighest)
{
    Stations stations;
    for (const char *name : {"ARD", "ZDF", "Standard", "", "arD HD", "\xC4RD", "Ard"})
        stations.push_back(make_station(50, 1, name));
    stations[1]->name[0] = '\0';  // a name buffer holding the empty text
    svl_list *list = new_list(stations);
    const std::pair<const char *, std::vector<uint32_t>> cases[] = {
        {"ard", {6, 4, 2, 0}}, {"d h", {4}}, {"\xE4rd", {}}, {"\xC4rD", {5}}, {"Standard and more", {}}, {"zdf", {}}};
    for (const auto &c : cases) {
        uint32_t *indexes = nullptr;
        const int found = svl_find_stations_by_name(list, c.first, &indexes);
        EXPECT_EQ(std::vector<uint32_t>(indexes, indexes + std::max(found, 0)), c.second) << c.first;
        EXPECT_EQ(found, int(c.second.size()));
        svl_free_indexes(indexes);
    }
    uint32_t *indexes = nullptr;
    EXPECT_EQ(svl_find_stations_by_name(list, "", &indexes), -1);
    svl_free_list(list, 1);
}

// The stations of a generated table of every kind, which is released with
// its favorite lists: the caller owns the stations.
Stations generated_stations(uint32_t count)
{
    svl_table table = svl_table();
    if (svl_generate_table(&table, svl_generate_options{count, 50, 0, 0, 3, true}) != 0)
        return Stations();
    Stations stations = entries(table.lists[0]);
    const Stations radio = entries(table.lists[1]);
    stations.insert(stations.end(), radio.begin(), radio.end());
    table.lists[0]->count = table.lists[1]->count = 0;
    svl_free_table(&table, 1);
    return stations;
}

Stations sorted_pointers(Stations stations)
{
    std::sort(stations.begin(), stations.end());
    return stations;
}

// Two stations are sorted too: with any difference between them, some key
// and direction puts them out of order.
TEST(SortList, OrdersEveryAdjacentPairByEachKeyAndOnlyReordersTheEntries)
{
    for (uint32_t count : {2u, 300u}) {
        const Stations stations = generated_stations(count);
        ASSERT_EQ(stations.size(), count);
        svl_list *list = new_list(stations);
        for (int key = -1; key <= 26; ++key) {
            for (int descending = 0; descending < 2; ++descending) {
                SCOPED_TRACE(std::to_string(count) + " stations, key " + std::to_string(key) +
                             (descending ? " descending" : " ascending"));
                const Stations before = entries(list);
                svl_sort_list(list, key, descending);
                EXPECT_EQ(sorted_pointers(entries(list)), sorted_pointers(stations));
                for (uint32_t i = 1; i < list->count; ++i) {
                    const int order = svl_compare_stations(list->stations[i - 1], list->stations[i], key);
                    ASSERT_TRUE(descending ? order >= 0 : order <= 0) << "positions " << i - 1 << " and " << i;
                }
                const bool column = key >= 0 && key < 25 && key != 6;
                EXPECT_TRUE(column || entries(list) == before) << "a key without a column changes nothing";
            }
        }
        svl_free_list(list, 1);
    }
    svl_sort_list(nullptr, 1, 0);

    // Missing names and frequencies less than 1 apart compare equal to
    // their neighbours, which is not transitive; the sort must still only
    // reorder the list's own entries.
    const Stations stations = generated_stations(400);
    for (size_t i = 0; i < stations.size(); ++i) {
        if (i % 3 == 0) {
            free(stations[i]->name);
            stations[i]->name = nullptr;
            stations[i]->name_len = 0;
        }
        stations[i]->NetworkType = 0;
        stations[i]->analog_frequency = uint16_t(7540 + (i * 7) % 40);
    }
    svl_list *list = new_list(stations);
    for (int key : {1, 8}) {
        svl_sort_list(list, key, key == 8);
        EXPECT_EQ(sorted_pointers(entries(list)), sorted_pointers(stations)) << "key " << key;
    }
    svl_free_list(list, 1);
}

TEST(CompareStations, FrequenciesFollowEachStationsKindAndMissingNamesAreEqual)
{
    // network, analogue and digital frequency of a and b; the order
    const int64_t pairs[][7] = {
        {0, 7540, 0, 0, 7548, 0, 0},           // 471.25 and 471.75 MHz are equal
        {7, 7540, 0, 0, 7556, 0, -1},          // 471.25 before 472.25 MHz
        {0, 7540, 999999, 3, 0, 471, 0},       // 471.25 "MHz" against 471 kHz
        {7, 7540, 0, 1, 7540, 470, 1},         // analogue 471.25 after digital 470
        {6, 9999, 3000000000u, 4, 0, 1, 1},    // no overflow on huge frequencies
    };
    svl_station *a = svl_new_station(50), *b = svl_new_station(50);
    for (const auto &p : pairs) {
        a->NetworkType = uint8_t(p[0]), a->analog_frequency = uint16_t(p[1]), a->frequency = uint32_t(p[2]);
        b->NetworkType = uint8_t(p[3]), b->analog_frequency = uint16_t(p[4]), b->frequency = uint32_t(p[5]);
        EXPECT_EQ(svl_compare_stations(a, b, 8), p[6]) << p[1] << " " << p[5];
        EXPECT_EQ(svl_compare_stations(b, a, 8), -p[6]);
    }
    ASSERT_EQ(svl_set_station_name(b, "ARD"), 0);
    EXPECT_EQ(svl_compare_stations(a, b, 1) | svl_compare_stations(b, a, 1), 0);
    svl_free_station(a);
    svl_free_station(b);
}

std::vector<std::string> list_names(const svl_table *table, uint32_t from = 0)
{
    std::vector<std::string> names;
    for (uint32_t i = from; i < table->list_count; ++i)
        names.push_back(table->lists[i]->name);
    return names;
}

svl_list *favorite(const char *name, uint32_t kind)
{
    return svl_new_list(name, kind, SVL_ATTR_FAVORITE);
}

TEST(TableLists, InsertRemoveFindAndOrderByKind)
{
    OwnedTable table;
    ASSERT_EQ(svl_init_table(&table.table, 50), 0);
    EXPECT_EQ((Results{table.list(0)->attr, table.list(1)->attr}), Results(2, SVL_ATTR_BASE));
    EXPECT_EQ(svl_first_favorite_index(&table.table, SVL_KIND_RADIO_FAV), 2);
    ASSERT_EQ((Results{svl_insert_list(&table.table, 2, favorite("r1", 4)), svl_insert_list(&table.table, 2, favorite("t1", 3)),
                       svl_insert_list(&table.table, 99, favorite("t2", 3)), svl_append_list(&table.table, favorite("r2", 4)),
                       svl_insert_list(&table.table, 3, favorite("Sport", 4))}),
              Results(5, 0));
    EXPECT_EQ(list_names(&table.table), (std::vector<std::string>{"ALL_TV", "ALL_Radio", "t1", "Sport", "r1", "t2", "r2"}));
    svl_sort_lists(&table.table);
    EXPECT_EQ(list_names(&table.table, 2), (std::vector<std::string>{"t1", "t2", "Sport", "r1", "r2"}));
    EXPECT_EQ(svl_first_favorite_index(&table.table, SVL_KIND_TV), -1);

    svl_list *sport = table.list(4);
    EXPECT_EQ(svl_list_name_exists(&table.table, nullptr, "Sport"), 1);
    EXPECT_EQ(svl_list_name_exists(&table.table, sport, "ALL_TV"), 1);
    for (const char *other : {"Sport", "sport", "Spor"})
        EXPECT_EQ(svl_list_name_exists(&table.table, strcmp(other, "Sport") == 0 ? sport : nullptr, other), 0);
    EXPECT_EQ(svl_remove_list_at(&table.table, 4), sport);
    svl_free_list(sport, 0);
    EXPECT_EQ(table->list_count, 6u);
}

// A known kind is a base or a favorite kind and leads to the base list of
// its medium in a table and to the favorite kind that leads back there;
// an unknown kind leads to neither.
TEST(TableLists, KindsPairBaseListsWithTheirFavoritesAndNamesAreMadeUnique)
{
    OwnedTable table;
    make_table(&table.table, 50, {}, {});
    for (uint32_t kind = 0; kind <= SVL_KIND_RADIO_FAV + 1; ++kind) {
        const bool known = svl_is_base_kind(kind) || svl_is_favorite_kind(kind);
        const int index = svl_base_index_of(kind);
        const uint32_t favorite = svl_favorite_kind_of(kind);
        EXPECT_FALSE(svl_is_base_kind(kind) && svl_is_favorite_kind(kind)) << kind;
        EXPECT_EQ(index >= 0 ? table.list(index)->kind : 0u, known ? svl_base_kind_of(kind) : 0u) << kind;
        EXPECT_EQ(svl_base_index_of(favorite), index) << kind;
        EXPECT_EQ(bool(svl_is_favorite_kind(favorite)), known) << kind;
    }
    // A digit is counted up; after nine the name stays as it is.
    add_favorite(&table.table, SVL_KIND_TV_FAV, "new tab", {});
    add_favorite(&table.table, SVL_KIND_TV_FAV, "new tab1", {});
    svl_list *fresh = add_favorite(&table.table, SVL_KIND_TV_FAV, "new tab", {});
    ASSERT_EQ((Results{svl_make_list_name_unique(&table.table, fresh), svl_make_list_name_unique(&table.table, fresh)}),
              Results(2, 0));
    EXPECT_STREQ(fresh->name, "new tab2");
    for (char digit = '3'; digit <= '9'; ++digit)
        add_favorite(&table.table, SVL_KIND_RADIO_FAV, (std::string("new tab") + digit).c_str(), {});
    svl_list *hopeless = add_favorite(&table.table, SVL_KIND_RADIO_FAV, "new tab", {});
    EXPECT_EQ(svl_make_list_name_unique(&table.table, hopeless), 1);
    EXPECT_STREQ(hopeless->name, "new tab");
}

// A table with one station per medium and tv + radio favorite lists named
// by prefix, medium and position.
void table_with_favorites(svl_table *table, uint16_t version, int tv, int radio, const char *prefix)
{
    make_table(table, version, {make_station(version, 1, prefix)}, {make_station(version, 6, prefix)});
    for (int i = 0; i < tv + radio; ++i)
        add_favorite(table, i < tv ? 3 : 4,
                     (std::string(prefix) + (i < tv ? "tv" : "radio") + std::to_string(i < tv ? i : i - tv)).c_str(),
                     {table->lists[i < tv ? 0 : 1]->stations[0]});
}

// Every list's name and entries: what a refused merge must leave alone.
std::vector<std::pair<std::string, Stations>> snapshot(const svl_table *table)
{
    std::vector<std::pair<std::string, Stations>> lists;
    for (uint32_t i = 0; i < table->list_count; ++i)
        lists.emplace_back(table->lists[i]->name, entries(table->lists[i]));
    return lists;
}

// Base stations move, favorite lists are copied after dest's own with
// attr 4; beyond eight favorite lists of a medium the merge is refused, or
// with skipping takes the first source lists that fit.
TEST(AppendTable, MovesStationsAndCopiesTheFavoritesThatFit)
{
    struct Merge {
        int dest_tv, dest_radio, source_tv, source_radio, result;
        const char *copied;  // the lists dest gains, with skipping when refused
    };
    const Merge merges[] = {
        {1, 1, 2, 1, 0, " stv0 stv1 sradio0"},
        {4, 3, 4, 5, 0, " stv0 stv1 stv2 stv3 sradio0 sradio1 sradio2 sradio3 sradio4"},
        {6, 0, 5, 2, -1, " stv0 stv1 sradio0 sradio1"},
        {0, 8, 0, 1, -1, ""},
    };
    for (const Merge &m : merges) {
        OwnedTable dest, source;
        table_with_favorites(&dest.table, 50, m.dest_tv, m.dest_radio, "d");
        table_with_favorites(&source.table, 50, m.source_tv, m.source_radio, "s");
        source.list(source->list_count - 1)->attr = 9;  // a favorite list, or a base list that stays
        EXPECT_EQ(svl_check_fav_limit(&dest.table, &source.table), m.result);
        const auto dest_before = snapshot(&dest.table), source_before = snapshot(&source.table);
        EXPECT_EQ(svl_append_table(&dest.table, &source.table, 0), m.result);
        if (m.result != 0) {
            EXPECT_EQ(snapshot(&dest.table), dest_before) << "a refused merge changes nothing";
            EXPECT_EQ(snapshot(&source.table), source_before);
            EXPECT_EQ(svl_append_table(&dest.table, &source.table, 1), 0);
        }
        EXPECT_EQ(entries(dest.list(0)), (Stations{dest_before[0].second[0], source_before[0].second[0]}));
        EXPECT_EQ(entries(dest.list(1)), (Stations{dest_before[1].second[0], source_before[1].second[0]}));
        std::string copied;
        for (uint32_t i = uint32_t(dest_before.size()); i < dest->list_count; ++i) {
            const svl_list *list = dest.list(i);
            const uint32_t medium = strncmp(list->name, "stv", 3) == 0 ? 0 : 1;
            copied += std::string(" ") + list->name;
            EXPECT_TRUE(list->kind == SVL_KIND_TV_FAV + medium && list->attr == SVL_ATTR_FAVORITE &&
                        entries(list) == Stations{source_before[medium].second[0]}) << list->name;
        }
        EXPECT_EQ(copied, m.copied);
        svl_free_table(&source.table, 0);
        source.table = svl_table{};
    }
}

TEST(AppendTable, RefusesOtherVersionsMissingBaseListsAndUnknownKinds)
{
    OwnedTable dest, older, one_list, odd;
    table_with_favorites(&dest.table, 50, 1, 0, "d");
    table_with_favorites(&older.table, 40, 0, 0, "o");
    ASSERT_EQ(svl_append_list(&one_list.table, svl_new_list("ALL_TV", 1, 3)), 0);
    one_list->version = 50;
    table_with_favorites(&odd.table, 50, 1, 0, "s");
    svl_append_list(&odd.table, svl_new_list("odd", 7, 4));
    const auto before = snapshot(&dest.table), odd_before = snapshot(&odd.table);
    for (OwnedTable *source : {&older, &one_list, &odd})
        EXPECT_EQ(svl_append_table(&dest.table, &source->table, 1), -1);
    EXPECT_EQ(svl_append_table(&one_list.table, &dest.table, 1), -1);
    EXPECT_EQ(snapshot(&dest.table), before);
    EXPECT_EQ(snapshot(&odd.table), odd_before);
}

TEST(ConvertTable, NumbersStationsAndAddsAFavoriteListPerMedium)
{
    OwnedTable table;
    make_table(&table.table, 40, {make_station(40, 3, "ARD"), make_station(40, 4, "ZDF"), make_station(40, 1, "")},
               {make_station(40, 6, "Radio 1"), make_station(40, 9, "Radio 2")});
    table.list(0)->stations[0]->aux_bytes[0] = 9;
    ASSERT_EQ(svl_convert_table(&table.table), 0);
    EXPECT_EQ(table->version, 50);
    EXPECT_EQ(list_names(&table.table), (std::vector<std::string>{"ALL_TV", "ALL_Radio", "ALL_TV1", "ALL_Radio1"}));
    uint16_t uid = 1;
    for (uint32_t base = 0; base < 2; ++base) {
        EXPECT_EQ(table.list(base + 2)->kind, base + 3);
        EXPECT_EQ(entries(table.list(base + 2)), entries(table.list(base)));
        for (const svl_station *s : entries(table.list(base))) {
            const Results fields = {s->version,      s->uid,         s->aux_word2,   s->aux_bytes[1],
                                    s->aux_bytes[2], s->aux_bytes[3], s->aux_bytes[4], s->origin_name_len};
            EXPECT_EQ(fields, (Results{50, uid++, 0xFFFF, 1, 0, 2, 0, s->name_len}));
            EXPECT_TRUE(s->name ? strcmp(s->origin_name, s->name) == 0 && s->origin_name != s->name
                                : s->origin_name == nullptr);
        }
    }
    EXPECT_EQ(table.list(0)->stations[0]->aux_bytes[0], 9);

    OwnedTable newer;
    make_table(&newer.table, 50, {make_station(50, 3, "ARD")}, {});
    svl_table empty{};
    empty.version = 40;
    EXPECT_EQ((Results{svl_convert_table(&newer.table), svl_convert_table(&empty)}), Results(2, -1));
    EXPECT_EQ(newer->list_count, 2u);
    EXPECT_EQ(newer.list(0)->stations[0]->uid, 0) << "a refused conversion changes nothing";
}

}  // namespace
