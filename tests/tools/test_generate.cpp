// The generator: table shape, field plausibility, uids and determinism.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <set>
#include <string>

#include "svl/svl_image.h"
#include "svl/svl_internal.h"
#include "svl/svl_ops.h"
#include "tools/gen/svl_generate.h"

namespace {

struct GeneratedTable {
    svl_table table = {};
    int result;

    explicit GeneratedTable(const svl_generate_options &options) : result(svl_generate_table(&table, options)) {}
    ~GeneratedTable() { svl_free_table(&table, 1); }
};

// The image a fresh program run would write for the table.
std::string image_of(svl_table *table)
{
    svl_set_next_uid(1);
    size_t length = 0;
    uint8_t *image = svl_build_table(table, &length);
    std::string bytes(reinterpret_cast<const char *>(image), image ? length : 0);
    svl_free_image(image);
    return bytes;
}

}  // namespace

void PrintTo(const svl_generate_options &o, std::ostream *out)
{
    *out << o.stations << " stations, version " << o.version << ", " << o.favorites << " favorite lists of "
         << o.favorite_percent << " %, seed " << o.seed;
}

namespace {

class GeneratorShape : public testing::TestWithParam<svl_generate_options> {};

TEST_P(GeneratorShape, ListsFollowTheTableOrderAndHoldStationsOfTheirMedium)
{
    const svl_generate_options &options = GetParam();
    GeneratedTable generated(options);
    ASSERT_EQ(generated.result, 0);
    const svl_table &table = generated.table;
    uint32_t favorites = options.version == SVL_VERSION_50 ? options.favorites : 0;
    ASSERT_EQ(table.list_count, 2 + 2 * favorites);
    EXPECT_EQ(table.version, options.version);
    EXPECT_EQ(table.lists[0]->count + table.lists[1]->count, options.stations);

    std::set<const svl_station *> base[2];
    for (uint32_t l = 0; l < 2; l++) {
        const svl_list *list = table.lists[l];
        EXPECT_EQ(list->kind, l == 0 ? uint32_t(SVL_KIND_TV) : uint32_t(SVL_KIND_RADIO));
        EXPECT_STREQ(list->name, l == 0 ? SVL_TV_LIST_NAME : SVL_RADIO_LIST_NAME);
        for (uint32_t i = 0; i < list->count; i++) {
            EXPECT_EQ(svl_station_medium(list->stations[i]), l == 0 ? SVL_MEDIUM_TV : SVL_MEDIUM_RADIO);
            base[l].insert(list->stations[i]);
        }
    }
    std::set<std::string> names;
    for (uint32_t l = 2; l < table.list_count; l++) {
        const svl_list *list = table.lists[l];
        uint32_t medium = l < 2 + favorites ? 0 : 1;
        EXPECT_EQ(list->kind, medium == 0 ? uint32_t(SVL_KIND_TV_FAV) : uint32_t(SVL_KIND_RADIO_FAV));
        EXPECT_TRUE(names.insert(list->name).second) << "duplicate list name " << list->name;
        uint64_t base_count = table.lists[medium]->count;
        EXPECT_EQ(list->count, (base_count * options.favorite_percent + 50) / 100);
        for (uint32_t i = 0; i < list->count; i++)
            EXPECT_EQ(base[medium].count(list->stations[i]), 1u) << "list " << list->name << " entry " << i;
    }
}

TEST_P(GeneratorShape, VersionFiftyFieldsAndUidsMatchTheVersion)
{
    const svl_generate_options &options = GetParam();
    GeneratedTable generated(options);
    ASSERT_EQ(generated.result, 0);
    uint16_t expected_uid = 1;
    for (uint32_t l = 0; l < 2; l++) {
        const svl_list *list = generated.table.lists[l];
        for (uint32_t i = 0; i < list->count; i++) {
            const svl_station *s = list->stations[i];
            EXPECT_EQ(s->version, options.version);
            if (options.version == SVL_VERSION_50) {
                EXPECT_EQ(s->uid, expected_uid++);
                continue;
            }
            static const uint8_t zero[5] = {};
            EXPECT_EQ(s->uid | s->aux_word1 | s->origin_name_len | s->hbbtv | s->aux_word2 | s->aux_word3 |
                          s->aux_byte,
                      0);
            EXPECT_EQ(s->aux_dword, 0u);
            EXPECT_EQ(memcmp(s->aux_bytes, zero, sizeof zero), 0);
            EXPECT_EQ(s->origin_name, nullptr);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Tables, GeneratorShape,
                         testing::Values(svl_generate_options{0, 50, 8, 100, 1}, svl_generate_options{1, 50, 1, 100, 2},
                                         svl_generate_options{500, 50, 8, 100, 3}, svl_generate_options{500, 50, 3, 0, 4},
                                         svl_generate_options{500, 50, 2, 37, 5}, svl_generate_options{500, 40, 8, 100, 6},
                                         svl_generate_options{3000, 50, 0, 20, 7}));

// The reception data of a station agrees with its type.
void expect_plausible(const svl_station &s)
{
    SCOPED_TRACE(std::string("station ") + (s.name ? s.name : "(unnamed)"));
    switch (s.ProgramDataByte) {
    case 3: case 8:
        EXPECT_TRUE(s.NetworkType == 2 || s.NetworkType == 5);
        EXPECT_GE(s.frequency, 10700000u);
        EXPECT_LE(s.frequency, 12750000u);
        EXPECT_EQ(s.SatModulationSystem, s.NetworkType == 5 ? 1 : 0);
        EXPECT_GT(s.symbol_rate, 0);
        break;
    case 5: case 10:
        EXPECT_TRUE(s.NetworkType == 1 || s.NetworkType == 4);
        EXPECT_GT(s.symbol_rate, 0);
        break;
    case 4: case 9:
        EXPECT_TRUE(s.NetworkType == 3 || s.NetworkType == 6);
        EXPECT_NE(s.Constellation, 0);
        break;
    default:
        EXPECT_TRUE(s.ProgramDataByte == 1 || s.ProgramDataByte == 6 || s.ProgramDataByte == 7 ||
                    s.ProgramDataByte == 11);
        EXPECT_TRUE(svl_station_is_analog(&s));
    }
    if (svl_station_is_analog(&s)) {
        EXPECT_GT(s.analog_frequency, 0);
        EXPECT_EQ(s.frequency, 0u);
    } else {
        EXPECT_GT(s.frequency, 0u);
        EXPECT_LT(s.video_pid, 8191);
        EXPECT_LT(s.audio_pid, 8191);
    }
    EXPECT_EQ(s.encrypted != 0, s.ca_system_ids[0] != 0);
    EXPECT_EQ(s.name_len, s.name ? strlen(s.name) : 0u);
    EXPECT_EQ(s.origin_name_len, s.origin_name ? strlen(s.origin_name) : 0u);
    for (int8_t value : {s.volume_correction, s.colour_intensity, s.contrast, s.sharpness}) {
        EXPECT_GE(value, -30);
        EXPECT_LE(value, 30);
    }
    EXPECT_GE(s.colour_offset, -3);
    EXPECT_LE(s.colour_offset, 3);
    EXPECT_LE(s.noise_reduction, 5);
    EXPECT_LE(s.PictureFormat, 5);
    EXPECT_LE(s.VideoProfile, 7);
    EXPECT_LE(s.CTI, 2);
    EXPECT_LE(s.Combfilter, 2);
    EXPECT_LE(s.SoundFilter, 3);
}

TEST(Generator, StationsAreRealistic)
{
    GeneratedTable generated(svl_generate_options{5000, 50, 0, 0, 11});
    ASSERT_EQ(generated.result, 0);
    uint32_t tv = generated.table.lists[0]->count;
    EXPECT_GT(tv, 3750u);  // about 80 % TV
    EXPECT_LT(tv, 4250u);
    uint32_t accented = 0, high_definition = 0, encrypted = 0, analogue = 0;
    std::set<std::string> names;
    for (uint32_t l = 0; l < 2; l++) {
        const svl_list *list = generated.table.lists[l];
        for (uint32_t i = 0; i < list->count; i++) {
            const svl_station &s = *list->stations[i];
            expect_plausible(s);
            std::string name = s.name ? s.name : "";
            names.insert(name);
            accented += s.CharSelCode == 0 && name.find('\xC8') != std::string::npos;
            high_definition += name.size() > 3 && name.compare(name.size() - 3, 3, " HD") == 0;
            encrypted += s.encrypted;
            analogue += svl_station_is_analog(&s);
        }
    }
    EXPECT_GT(accented, 10u);
    EXPECT_GT(high_definition, 500u);
    EXPECT_GT(encrypted, 100u);
    EXPECT_GT(analogue, 20u);
    EXPECT_GT(names.size(), 2500u);
}

TEST(Generator, UidsWrapOnlyBeyond65535Stations)
{
    GeneratedTable generated(svl_generate_options{65537, 50, 0, 0, 12});
    ASSERT_EQ(generated.result, 0);
    uint32_t position = 0;
    std::set<uint16_t> first_65535;
    for (uint32_t l = 0; l < 2; l++) {
        const svl_list *list = generated.table.lists[l];
        for (uint32_t i = 0; i < list->count; i++, position++) {
            EXPECT_EQ(list->stations[i]->uid, uint16_t(position + 1));
            if (position < 65535)
                first_65535.insert(list->stations[i]->uid);
        }
    }
    EXPECT_EQ(first_65535.size(), 65535u);
}

TEST(Generator, SameSeedGivesTheSameTableAndAnotherSeedAnother)
{
    GeneratedTable first(svl_generate_options{400, 50, 4, 50, 99});
    GeneratedTable again(svl_generate_options{400, 50, 4, 50, 99});
    GeneratedTable other(svl_generate_options{400, 50, 4, 50, 100});
    ASSERT_EQ(first.result | again.result | other.result, 0);
    std::string image = image_of(&first.table);
    EXPECT_FALSE(image.empty());
    EXPECT_EQ(image, image_of(&again.table));
    EXPECT_NE(image, image_of(&other.table));
}

TEST(Generator, RefusesBadOptionsAndLeavesTheTableEmpty)
{
    for (svl_generate_options options :
         {svl_generate_options{10, 45, 2, 20, 1}, svl_generate_options{10, 50, 9, 20, 1}, svl_generate_options{10, 50, 2, 101, 1}}) {
        GeneratedTable generated(options);
        EXPECT_EQ(generated.result, -1);
        EXPECT_EQ(generated.table.list_count, 0u);
        EXPECT_EQ(generated.table.lists, nullptr);
    }
    svl_table table = {};
    ASSERT_EQ(svl_init_table(&table, SVL_VERSION_50), 0);
    EXPECT_EQ(svl_generate_table(&table, svl_generate_options{10, 50, 2, 20, 1}), -1);
    EXPECT_EQ(table.list_count, 2u);
    EXPECT_EQ(table.lists[0]->count, 0u);
    svl_free_table(&table, 1);
}

}  // namespace
