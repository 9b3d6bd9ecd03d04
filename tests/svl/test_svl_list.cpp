// Station and list routines: growing, shrinking, finding, naming, copying.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "svl/svl_ops.h"
#include "svl_test_support.h"

namespace {

// A list owning the stations it was made with.
struct OwnedList {
    svl_list *list;
    std::vector<svl_station *> stations;
    explicit OwnedList(const std::vector<const char *> &names)
    {
        list = svl_new_list("Test", SVL_KIND_TV, SVL_ATTR_BASE);
        for (const char *name : names) {
            stations.push_back(make_station(50, 1, name));
            EXPECT_EQ(svl_append_station(list, stations.back()), 0);
        }
    }
    ~OwnedList()
    {
        svl_free_list(list, 0);
        for (svl_station *station : stations)
            svl_free_station(station);
    }
    std::vector<svl_station *> entries() const
    {
        return std::vector<svl_station *>(list->stations, list->stations + list->count);
    }
};

TEST(NewList, CopiesTheNameAndRefusesANullName)
{
    char name[] = "Sport";
    svl_list *list = svl_new_list(name, SVL_KIND_RADIO_FAV, 9);
    ASSERT_NE(list, nullptr);
    name[0] = 'X';
    EXPECT_STREQ(list->name, "Sport");
    EXPECT_EQ(list->kind, 4u);
    EXPECT_EQ(list->attr, 9);
    EXPECT_EQ(list->count, 0u);
    EXPECT_EQ(list->stations, nullptr);
    svl_free_list(list, 0);
    EXPECT_EQ(svl_new_list(nullptr, SVL_KIND_TV, SVL_ATTR_BASE), nullptr);
}

TEST(InsertStation, PutsTheStationAtTheIndexAndAppendsAtCount)
{
    OwnedList owned({"a", "b"});
    svl_station *front = make_station(50, 1, "front");
    svl_station *middle = make_station(50, 1, "middle");
    svl_station *back = make_station(50, 1, "back");
    owned.stations.insert(owned.stations.end(), {front, middle, back});
    svl_station *a = owned.stations[0], *b = owned.stations[1];

    ASSERT_EQ(svl_insert_station(owned.list, front, 0), 0);
    ASSERT_EQ(svl_insert_station(owned.list, middle, 2), 0);
    ASSERT_EQ(svl_insert_station(owned.list, back, owned.list->count), 0);
    EXPECT_EQ(owned.entries(), (std::vector<svl_station *>{front, a, middle, b, back}));
}

TEST(InsertStation, RefusesAnIndexBeyondCountAndNullArguments)
{
    OwnedList owned({"a", "b"});
    const std::vector<svl_station *> before = owned.entries();
    svl_station *extra = owned.stations[0];
    EXPECT_EQ(svl_insert_station(owned.list, extra, 3), -1);
    EXPECT_EQ(svl_insert_station(owned.list, extra, 0xFFFFFFFFu), -1);
    EXPECT_EQ(svl_insert_station(owned.list, nullptr, 0), -1);
    EXPECT_EQ(svl_insert_station(nullptr, extra, 0), -1);
    EXPECT_EQ(svl_append_station(nullptr, extra), -1);
    EXPECT_EQ(owned.entries(), before);
}

TEST(RemoveStation, RemovingTheOnlyStationLeavesANullArrayThatTakesAppends)
{
    OwnedList owned({"only"});
    EXPECT_EQ(svl_remove_station_at(owned.list, 0), owned.stations[0]);
    EXPECT_EQ(owned.list->count, 0u);
    EXPECT_EQ(owned.list->stations, nullptr);
    ASSERT_EQ(svl_append_station(owned.list, owned.stations[0]), 0);
    EXPECT_EQ(owned.entries(), owned.stations);
}

TEST(RemoveStation, ReturnsTheEntryAndMovesLaterOnesDown)
{
    OwnedList owned({"a", "b", "c", "d"});
    auto s = owned.stations;
    EXPECT_EQ(svl_remove_station_at(owned.list, 1), s[1]);
    EXPECT_EQ(owned.entries(), (std::vector<svl_station *>{s[0], s[2], s[3]}));
    EXPECT_EQ(svl_remove_station_at(owned.list, 2), s[3]);
    EXPECT_EQ(owned.entries(), (std::vector<svl_station *>{s[0], s[2]}));
}

TEST(RemoveStation, RefusesOutOfRangeIndexesNullListsAndNullEntries)
{
    OwnedList empty({});
    EXPECT_EQ(svl_remove_station_at(empty.list, 0), nullptr);
    EXPECT_EQ(svl_remove_station_at(nullptr, 0), nullptr);

    OwnedList owned({"a", "b"});
    ASSERT_EQ(svl_append_station(owned.list, nullptr), 0);
    const std::vector<svl_station *> before = owned.entries();
    EXPECT_EQ(svl_remove_station_at(owned.list, 3), nullptr);
    EXPECT_EQ(svl_remove_station_at(owned.list, 0xFFFFFFFFu), nullptr);
    EXPECT_EQ(svl_remove_station_at(owned.list, 2), nullptr) << "a null entry is not removed";
    EXPECT_EQ(owned.entries(), before);
}

TEST(IndexOfStation, FindsTheLastPositionOrRefuses)
{
    OwnedList owned({"a", "b", "c"});
    auto s = owned.stations;
    ASSERT_EQ(svl_append_station(owned.list, s[0]), 0);
    EXPECT_EQ(svl_index_of_station(owned.list, s[0]), 3);
    EXPECT_EQ(svl_index_of_station(owned.list, s[1]), 1);
    svl_station *stranger = make_station(50, 1, "x");
    EXPECT_EQ(svl_index_of_station(owned.list, stranger), -1);
    svl_free_station(stranger);
    EXPECT_EQ(svl_index_of_station(owned.list, nullptr), -1);
    EXPECT_EQ(svl_index_of_station(nullptr, s[0]), -1);
}

// ---- finding stations by name ----

struct FindCase {
    const char *pattern;
    std::vector<uint32_t> indexes;
};

class FindByNamePattern : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindByNamePattern, ReturnsMatchingIndexesFromTheHighest)
{
    OwnedList owned({"ARD", "ZDF", "Standard", "", "arD HD", "\xC4RD", "Ard", ""});
    // Besides the station without a name, one whose name buffer holds the
    // empty text is skipped as well.
    owned.stations[7]->name = static_cast<char *>(calloc(1, 1));
    uint32_t *indexes = nullptr;
    const int found = svl_find_stations_by_name(owned.list, GetParam().pattern, &indexes);
    ASSERT_EQ(found, static_cast<int>(GetParam().indexes.size()));
    EXPECT_EQ(std::vector<uint32_t>(indexes, indexes + found), GetParam().indexes);
    svl_free_indexes(indexes);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FindByNamePattern,
    ::testing::Values(FindCase{"ard", {6, 4, 2, 0}}, FindCase{"ARD", {6, 4, 2, 0}},
                      FindCase{"d h", {4}}, FindCase{"zdf", {1}}, FindCase{"\xE4rd", {}},
                      FindCase{"\xC4rD", {5}}, FindCase{"Standard and more", {}},
                      FindCase{"nowhere", {}}));

TEST(FindByName, RefusesNullListNullOrEmptyPatternAndEmptyList)
{
    OwnedList owned({"ARD"});
    OwnedList empty({});
    uint32_t *indexes = nullptr;
    EXPECT_EQ(svl_find_stations_by_name(nullptr, "a", &indexes), -1);
    EXPECT_EQ(svl_find_stations_by_name(owned.list, nullptr, &indexes), -1);
    EXPECT_EQ(svl_find_stations_by_name(owned.list, "", &indexes), -1);
    EXPECT_EQ(svl_find_stations_by_name(empty.list, "a", &indexes), -1);
    EXPECT_EQ(svl_find_stations_by_name(owned.list, "a", nullptr), -1);
    EXPECT_EQ(indexes, nullptr);
}

// ---- names ----

TEST(SetListName, ReplacesTheNameByACopyAndRefusesNullOrEmptyNames)
{
    svl_list *list = svl_new_list("Old", SVL_KIND_TV_FAV, SVL_ATTR_FAVORITE);
    EXPECT_EQ(svl_set_list_name(nullptr, "x"), 1);
    EXPECT_EQ(svl_set_list_name(list, nullptr), 1);
    EXPECT_EQ(svl_set_list_name(list, ""), 1);
    EXPECT_STREQ(list->name, "Old");
    char name[] = "New name";
    ASSERT_EQ(svl_set_list_name(list, name), 0);
    name[0] = 'X';
    EXPECT_STREQ(list->name, "New name");
    svl_free_list(list, 0);
}

TEST(SetStationName, TakesNamesUpTo255BytesAndRefusesOthersKeepingTheOldOne)
{
    svl_station *station = make_station(50, 1, "Old");
    EXPECT_EQ(svl_set_station_name(nullptr, "x"), 1);
    EXPECT_EQ(svl_set_station_name(station, nullptr), 1);
    EXPECT_EQ(svl_set_station_name(station, ""), 1);
    EXPECT_EQ(svl_set_station_name(station, std::string(256, 'n').c_str()), 1);
    EXPECT_STREQ(station->name, "Old");
    EXPECT_EQ(station->name_len, 3);
    const std::string longest(255, 'n');
    ASSERT_EQ(svl_set_station_name(station, longest.c_str()), 0);
    EXPECT_EQ(station->name_len, 255);
    EXPECT_EQ(std::string(station->name), longest);
    svl_free_station(station);
}

TEST(SetStationOriginName, SetsAndClearsTheOriginName)
{
    svl_station *station = make_station(50, 1, "ARD");
    ASSERT_EQ(svl_set_station_origin_name(station, "Das Erste"), 0);
    EXPECT_STREQ(station->origin_name, "Das Erste");
    EXPECT_EQ(station->origin_name_len, 9);
    EXPECT_EQ(svl_set_station_origin_name(station, std::string(256, 'o').c_str()), 1);
    EXPECT_STREQ(station->origin_name, "Das Erste");
    ASSERT_EQ(svl_set_station_origin_name(station, ""), 0);
    EXPECT_EQ(station->origin_name, nullptr);
    EXPECT_EQ(station->origin_name_len, 0);
    ASSERT_EQ(svl_set_station_origin_name(station, "x"), 0);
    ASSERT_EQ(svl_set_station_origin_name(station, nullptr), 0);
    EXPECT_EQ(station->origin_name, nullptr);
    EXPECT_EQ(svl_set_station_origin_name(nullptr, "x"), 1);
    svl_free_station(station);
}

// ---- station kinds ----

TEST(StationMedium, FollowsTheProgramDataByte)
{
    const int expected[] = {SVL_MEDIUM_NONE, SVL_MEDIUM_TV,    SVL_MEDIUM_TV,    SVL_MEDIUM_TV,
                            SVL_MEDIUM_TV,   SVL_MEDIUM_TV,    SVL_MEDIUM_RADIO, SVL_MEDIUM_TV,
                            SVL_MEDIUM_RADIO, SVL_MEDIUM_RADIO, SVL_MEDIUM_RADIO, SVL_MEDIUM_TV};
    svl_station station{};
    for (int type = 0; type < 256; ++type) {
        station.ProgramDataByte = uint8_t(type);
        EXPECT_EQ(svl_station_medium(&station), type < 12 ? expected[type] : SVL_MEDIUM_NONE) << type;
    }
}

TEST(StationIsAnalog, OnlyForNetworkTypesUnknownAndTerrestric)
{
    svl_station station{};
    for (int network = 0; network < 256; ++network) {
        station.NetworkType = uint8_t(network);
        EXPECT_EQ(svl_station_is_analog(&station), network == 0 || network == 7) << network;
    }
}

TEST(ReserveStations, KeepsTheEntriesAndRefusesANullList)
{
    OwnedList owned({"a", "b"});
    ASSERT_EQ(svl_reserve_stations(owned.list, 1000), 0);
    EXPECT_EQ(owned.entries(), owned.stations);
    ASSERT_EQ(svl_reserve_stations(owned.list, 1), 0);
    EXPECT_EQ(owned.entries(), owned.stations);
    EXPECT_EQ(svl_reserve_stations(nullptr, 4), -1);
}

// ---- copies ----

TEST(CopyList, SharesTheStationPointersButNotTheArrayOrName)
{
    OwnedList owned({"a", "b", "c"});
    owned.list->attr = 7;
    owned.list->kind = SVL_KIND_RADIO_FAV;
    svl_list *copy = svl_copy_list(owned.list);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(std::vector<svl_station *>(copy->stations, copy->stations + copy->count), owned.entries());
    EXPECT_NE(copy->stations, owned.list->stations);
    EXPECT_STREQ(copy->name, "Test");
    EXPECT_NE(copy->name, owned.list->name);
    EXPECT_EQ(copy->kind, 4u);
    EXPECT_EQ(copy->attr, 7);
    ASSERT_EQ(svl_remove_station_at(copy, 0), owned.stations[0]);
    EXPECT_EQ(owned.list->count, 3u) << "the original keeps its entries";
    svl_free_list(copy, 0);

    OwnedList empty({});
    copy = svl_copy_list(empty.list);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->stations, nullptr);
    svl_free_list(copy, 0);
    EXPECT_EQ(svl_copy_list(nullptr), nullptr);
}

TEST(CopyStation, CopiesEveryFieldAndSharesTheNames)
{
    svl_station *station = make_station(50, 5, "Das Erste");
    fill_distinct_fields(station);
    ASSERT_EQ(svl_set_station_origin_name(station, "ARD"), 0);
    svl_station *copy = svl_copy_station(station);
    ASSERT_NE(copy, nullptr);
    expect_same_station(station, copy);
    EXPECT_EQ(copy->name, station->name);
    EXPECT_EQ(copy->origin_name, station->origin_name);
    svl_free_station_copy(copy);
    svl_free_station(station);
    EXPECT_EQ(svl_copy_station(nullptr), nullptr);
}

TEST(FreeList, WithStationsReleasesEveryRecordItHolds)
{
    svl_list *list = svl_new_list("All", SVL_KIND_TV, SVL_ATTR_BASE);
    for (const char *name : {"a", "b", ""}) {
        svl_station *station = make_station(50, 1, name);
        ASSERT_EQ(svl_set_station_origin_name(station, "origin"), 0);
        ASSERT_EQ(svl_append_station(list, station), 0);
    }
    // The leak checker of the sanitizer build tells whether all went.
    svl_free_list(list, 1);
    svl_free_list(nullptr, 1);
}

}  // namespace
