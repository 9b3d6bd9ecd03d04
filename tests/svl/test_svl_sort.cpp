// Sorting a list by every key, checked against an independent reading of
// the ordering rules.
#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "svl/svl_ops.h"
#include "svl_test_support.h"

namespace {

// The field behind each plain numeric key.
struct KeyField {
    int key;
    uint32_t max;
    uint32_t (*get)(const svl_station *);
    void (*set)(svl_station *, uint32_t);
};

#define KEY(number, field, maximum)                                                      \
    KeyField                                                                             \
    {                                                                                    \
        number, maximum, [](const svl_station *s) { return uint32_t(s->field); },        \
            [](svl_station *s, uint32_t v) { s->field = decltype(s->field)(v); }         \
    }

const KeyField key_fields[] = {
    KEY(0, uid, 0xFFFF),          KEY(2, NetworkType, 0xFF),  KEY(3, epg, 0xFF),
    KEY(4, encrypted, 0xFF),      KEY(5, HiDef, 0xFF),        KEY(7, cni, 0xFFFF),
    KEY(9, audio_pid, 0xFFFF),    KEY(10, video_pid, 0xFFFF), KEY(11, pcr_pid, 0xFFFF),
    KEY(12, teletext_pid, 0xFFFF), KEY(13, service_id, 0xFFFF),
    KEY(14, transport_stream_id, 0xFFFF), KEY(15, original_network_id, 0xFFFF),
    KEY(16, symbol_rate, 0xFFFF), KEY(17, Modulation, 0xFF), KEY(18, Constellation, 0xFF),
    KEY(19, Satellite, 0xFF),     KEY(20, Polarisation, 0xFF), KEY(21, CodeRateHP, 0xFF),
    KEY(22, GuardIntervall, 0xFF), KEY(23, TransMode, 0xFF),  KEY(24, AudioType, 0xFF),
};

const KeyField *field_of_key(int key)
{
    for (const KeyField &field : key_fields)
        if (field.key == key)
            return &field;
    return nullptr;
}

int reference_name_order(const char *a, const char *b)
{
    if (!a || !b)
        return 0;
    for (;; ++a, ++b) {
        int difference = tolower(static_cast<unsigned char>(*a)) - tolower(static_cast<unsigned char>(*b));
        if (difference != 0 || !*a)
            return difference;
    }
}

double reference_frequency(const svl_station *s)
{
    return (s->NetworkType == 0 || s->NetworkType == 7) ? s->analog_frequency * 0.0625 : double(s->frequency);
}

// Negative, 0 or positive as a goes before, with or after b ascending.
int reference_order(const svl_station *a, const svl_station *b, int key)
{
    if (key == 1)
        return reference_name_order(a->name, b->name);
    if (key == 8) {
        double difference = reference_frequency(a) - reference_frequency(b);
        return difference >= 1 ? 1 : difference <= -1 ? -1 : 0;
    }
    const KeyField *field = field_of_key(key);
    return int(field->get(a)) - int(field->get(b));
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

// Stations with every sort field random. Small value ranges make ties;
// names mix the case of a few letters; analogue frequencies are whole MHz so
// that frequencies compare transitively.
std::vector<svl_station *> random_stations(uint32_t seed, size_t count)
{
    std::mt19937 random(seed);
    auto pick = [&random](uint32_t max) { return std::uniform_int_distribution<uint32_t>(0, max)(random); };
    std::vector<svl_station *> stations;
    for (size_t i = 0; i < count; ++i) {
        svl_station *station = svl_new_station(50);
        for (const KeyField &field : key_fields)
            field.set(station, pick(1) ? pick(field.max) : pick(3));
        station->NetworkType = pick(7);
        station->analog_frequency = pick(300) * 16;
        station->frequency = pick(400);
        std::string name;
        for (uint32_t length = pick(4) + 1; length > 0; --length)
            name += "aAbBzZ 1"[pick(7)];
        svl_set_station_name(station, name.c_str());
        stations.push_back(station);
    }
    return stations;
}

struct StationList {
    svl_list *list;
    std::vector<svl_station *> stations;
    explicit StationList(std::vector<svl_station *> records) : stations(std::move(records))
    {
        list = svl_new_list("Sorted", SVL_KIND_TV, SVL_ATTR_BASE);
        for (svl_station *station : stations)
            EXPECT_EQ(svl_append_station(list, station), 0);
    }
    ~StationList() { svl_free_list(list, 1); }
    std::vector<svl_station *> entries() const
    {
        return std::vector<svl_station *>(list->stations, list->stations + list->count);
    }
};

class SortByKey : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(SortByKey, OrdersEveryAdjacentPairAndKeepsTheStations)
{
    const int key = std::get<0>(GetParam());
    const bool descending = std::get<1>(GetParam());
    StationList sorted(random_stations(1000 + key, 300));
    svl_sort_list(sorted.list, key, descending);

    std::vector<svl_station *> after = sorted.entries(), before = sorted.stations;
    std::sort(after.begin(), after.end());
    std::sort(before.begin(), before.end());
    ASSERT_EQ(after, before) << "the sort must only reorder the pointers";
    for (uint32_t i = 1; i < sorted.list->count; ++i) {
        const int order = reference_order(sorted.list->stations[i - 1], sorted.list->stations[i], key);
        EXPECT_TRUE(descending ? order >= 0 : order <= 0) << "positions " << i - 1 << " and " << i;
    }
}

std::vector<int> ordering_keys()
{
    std::vector<int> keys;
    for (int key = 0; key < 25; ++key)
        if (key != 6)
            keys.push_back(key);
    return keys;
}

INSTANTIATE_TEST_SUITE_P(Keys, SortByKey, ::testing::Combine(::testing::ValuesIn(ordering_keys()), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<int, bool>> &info) {
                             return "key" + std::to_string(std::get<0>(info.param)) +
                                    (std::get<1>(info.param) ? "_descending" : "_ascending");
                         });

class SortByInertKey : public ::testing::TestWithParam<int> {};

TEST_P(SortByInertKey, LeavesTheListUnchanged)
{
    StationList list(random_stations(7, 50));
    for (int descending = 0; descending < 2; ++descending) {
        svl_sort_list(list.list, GetParam(), descending);
        EXPECT_EQ(list.entries(), list.stations);
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, SortByInertKey, ::testing::Values(6, 25, 26, 1000, -1));

TEST(SortList, ToleratesNullEmptyAndSingleEntryLists)
{
    svl_sort_list(nullptr, 0, 0);
    StationList empty({});
    svl_sort_list(empty.list, 1, 1);
    EXPECT_EQ(empty.list->count, 0u);
    StationList one(random_stations(3, 1));
    svl_sort_list(one.list, 8, 0);
    EXPECT_EQ(one.entries(), one.stations);
}

// Missing names and frequencies less than 1 apart make comparisons that are
// not transitive; the sort must still only reorder the list's own entries.
TEST(SortList, StaysWithinTheListWhenComparisonsAreNotTransitive)
{
    std::vector<svl_station *> stations = random_stations(5, 400);
    for (size_t i = 0; i < stations.size(); ++i) {
        if (i % 3 == 0) {
            free(stations[i]->name);
            stations[i]->name = nullptr;
            stations[i]->name_len = 0;
        }
        stations[i]->NetworkType = 0;
        stations[i]->analog_frequency = uint16_t(7540 + (i * 7) % 40);
    }
    StationList list(stations);
    for (int key : {1, 8}) {
        for (int descending = 0; descending < 2; ++descending) {
            svl_sort_list(list.list, key, descending);
            std::vector<svl_station *> after = list.entries(), before = list.stations;
            std::sort(after.begin(), after.end());
            std::sort(before.begin(), before.end());
            EXPECT_EQ(after, before) << "key " << key;
        }
    }
}

// Unsigned fields compare by their full value: the largest against zero.
TEST(CompareStations, WidensUnsignedFieldsSoTheSignIsExact)
{
    svl_station *high = svl_new_station(50), *low = svl_new_station(50);
    for (const KeyField &field : key_fields) {
        *high = svl_station{};
        *low = svl_station{};
        field.set(high, field.max);
        EXPECT_GT(svl_compare_stations(high, low, field.key), 0) << "key " << field.key;
        EXPECT_LT(svl_compare_stations(low, high, field.key), 0) << "key " << field.key;
    }
    svl_free_station(high);
    svl_free_station(low);
}

struct NamePair {
    const char *a, *b;
    int order;
};

class CompareNames : public ::testing::TestWithParam<NamePair> {};

TEST_P(CompareNames, IgnoresCaseAndTreatsAMissingNameAsEqual)
{
    svl_station *a = make_station(50, 1, GetParam().a ? GetParam().a : "");
    svl_station *b = make_station(50, 1, GetParam().b ? GetParam().b : "");
    EXPECT_EQ(sign(svl_compare_stations(a, b, 1)), GetParam().order);
    EXPECT_EQ(sign(svl_compare_stations(b, a, 1)), -GetParam().order);
    svl_free_station(a);
    svl_free_station(b);
}

INSTANTIATE_TEST_SUITE_P(Names, CompareNames,
                         ::testing::Values(NamePair{"abc", "ABC", 0}, NamePair{"B", "a", 1},
                                           NamePair{"ab", "abc", -1}, NamePair{"Zdf", "ard", 1},
                                           NamePair{"\xC4rd", "zdf", 1},
                                           NamePair{nullptr, "ARD", 0}, NamePair{"", "", 0},
                                           NamePair{nullptr, "", 0}));

struct FrequencyPair {
    uint8_t network_a;
    uint16_t analog_a;
    uint32_t digital_a;
    uint8_t network_b;
    uint16_t analog_b;
    uint32_t digital_b;
    int order;
};

class CompareFrequencies : public ::testing::TestWithParam<FrequencyPair> {};

TEST_P(CompareFrequencies, UsesTheTuningFrequencyOfEachStationsKind)
{
    const FrequencyPair &p = GetParam();
    svl_station *a = svl_new_station(50), *b = svl_new_station(50);
    a->NetworkType = p.network_a;
    a->analog_frequency = p.analog_a;
    a->frequency = p.digital_a;
    b->NetworkType = p.network_b;
    b->analog_frequency = p.analog_b;
    b->frequency = p.digital_b;
    EXPECT_EQ(sign(svl_compare_stations(a, b, 8)), p.order);
    EXPECT_EQ(sign(svl_compare_stations(b, a, 8)), -p.order);
    svl_free_station(a);
    svl_free_station(b);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, CompareFrequencies,
    ::testing::Values(
        FrequencyPair{0, 7540, 0, 0, 7548, 0, 0},            // 471.25 and 471.75 MHz are equal
        FrequencyPair{7, 7540, 0, 0, 7556, 0, -1},           // 471.25 before 472.25 MHz
        FrequencyPair{0, 7540, 999999, 3, 0, 471, 0},        // 471.25 "MHz" against 471 kHz
        FrequencyPair{7, 7540, 0, 1, 7540, 470, 1},          // analogue 471.25 after digital 470
        FrequencyPair{0, 16000, 0, 2, 0, 500, 1},            // 1000 MHz after 500 kHz: plain numbers
        FrequencyPair{3, 0, 474000, 5, 0, 474001, -1},       // digital stations by frequency
        FrequencyPair{6, 9999, 3000000000u, 4, 0, 1, 1}));   // no overflow on huge frequencies

}  // namespace
