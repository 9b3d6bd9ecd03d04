// Generated tables of both versions survive build → parse → build unchanged.
#include <unordered_set>

#include <gtest/gtest.h>

#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "svl_test_support.h"
#include "tools/gen/svl_generate.h"

namespace {

struct RoundTripCase {
    const char *what;
    svl_generate_options options;
};

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, BuildParseBuildGivesTheSameBytesAndTable)
{
    OwnedTable original;
    ASSERT_EQ(svl_generate_table(&original.table, GetParam().options), 0);
    OwnedImage first;
    build_image(&original.table, 1, &first);

    OwnedTable parsed;
    ASSERT_EQ(svl_parse_table(&parsed.table, first.data, first.length), 0);
    expect_same_table(&original.table, &parsed.table);

    OwnedImage second;
    build_image(&parsed.table, 1, &second);
    EXPECT_EQ(first.bytes(), second.bytes());
}

INSTANTIATE_TEST_SUITE_P(
    Generated, RoundTrip,
    ::testing::Values(RoundTripCase{"v40_empty", svl_generate_options{0, 40, 0, 20, 1}},
                      RoundTripCase{"v40_one", svl_generate_options{1, 40, 0, 20, 2}},
                      RoundTripCase{"v40_many", svl_generate_options{700, 40, 0, 20, 3}},
                      RoundTripCase{"v50_empty", svl_generate_options{0, 50, 0, 20, 4}},
                      RoundTripCase{"v50_no_favorites", svl_generate_options{50, 50, 0, 20, 5}},
                      RoundTripCase{"v50_two_favorites", svl_generate_options{300, 50, 2, 20, 6}},
                      RoundTripCase{"v50_full_favorites", svl_generate_options{400, 50, 8, 100, 7}}),
    [](const ::testing::TestParamInfo<RoundTripCase> &info) { return std::string(info.param.what); });

// Compares favorite lists by uid: after one build every uid of the table is
// unique, so an equal uid at each position that belongs to a station of the
// right base list is the same station.
void expect_same_favorites_by_uid(const svl_table *expected, const svl_table *actual)
{
    for (uint32_t index = 2; index < expected->list_count; ++index) {
        const svl_list *want = expected->lists[index];
        const svl_list *got = actual->lists[index];
        const svl_list *base = actual->lists[svl_base_kind_of(got->kind) - 1];
        std::unordered_set<const svl_station *> members(base->stations, base->stations + base->count);
        ASSERT_EQ(want->kind, got->kind);
        ASSERT_EQ(want->count, got->count) << want->name;
        for (uint32_t i = 0; i < want->count; ++i) {
            ASSERT_EQ(members.count(got->stations[i]), 1u) << want->name << " entry " << i;
            ASSERT_EQ(want->stations[i]->uid, got->stations[i]->uid) << want->name << " entry " << i;
        }
    }
}

TEST(RoundTripLarge, FiftyThousandStationsWithEightFullFavoriteListsPerMedium)
{
    OwnedTable original;
    ASSERT_EQ(svl_generate_table(&original.table, svl_generate_options{50000, 50, 8, 100, 11}), 0);
    ASSERT_EQ(original->list_count, 18u);
    OwnedImage image;
    build_image(&original.table, 1, &image);

    OwnedTable parsed;
    ASSERT_EQ(svl_parse_table(&parsed.table, image.data, image.length), 0);
    ASSERT_EQ(parsed->list_count, 18u);
    EXPECT_EQ(parsed.list(0)->count, original.list(0)->count);
    EXPECT_EQ(parsed.list(1)->count, original.list(1)->count);
    expect_same_favorites_by_uid(&original.table, &parsed.table);
}

}  // namespace
