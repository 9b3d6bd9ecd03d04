// kanvio-cli dump: valid JSON holding every field, names as text and hex,
// favorite lists as positions in their base list.
#include <gtest/gtest.h>

#include <cstring>

#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "tests/tools/cli_runner.h"
#include "tests/tools/json_reader.h"
#include "tools/gen/svl_generate.h"

namespace {

std::string hex(const char *bytes, size_t length)
{
    static const char DIGITS[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; bytes && i < length; i++) {
        out += DIGITS[uint8_t(bytes[i]) >> 4];
        out += DIGITS[uint8_t(bytes[i]) & 15];
    }
    return out;
}

// Every numeric field of the record under its own name, in declared order.
std::vector<std::pair<std::string, int64_t>> numeric_fields(const svl_station &s)
{
    return {
        {"version", s.version}, {"ProgramDataByte", s.ProgramDataByte}, {"name_len", s.name_len},
        {"CharSelCode", s.CharSelCode}, {"decoder", s.decoder}, {"SoundFilter", s.SoundFilter},
        {"volume_correction", s.volume_correction}, {"epg", s.epg}, {"aux1", s.aux1}, {"childlock", s.childlock},
        {"cni", s.cni}, {"colour_intensity", s.colour_intensity}, {"contrast", s.contrast},
        {"sharpness", s.sharpness}, {"noise_reduction", s.noise_reduction}, {"CTI", s.CTI},
        {"Combfilter", s.Combfilter}, {"colour_offset", s.colour_offset}, {"PictureFormat", s.PictureFormat},
        {"VideoProfile", s.VideoProfile}, {"analog_frequency", s.analog_frequency}, {"VCR", s.VCR},
        {"forced_mono", s.forced_mono}, {"ColorNorm", s.ColorNorm}, {"Standard", s.Standard},
        {"service_id", s.service_id}, {"encrypted", s.encrypted}, {"CANumber", s.CANumber},
        {"VidDecType", s.VidDecType}, {"has_sub_audio", s.has_sub_audio}, {"audio_tag", s.audio_tag},
        {"HiDef", s.HiDef}, {"pcr_pid", s.pcr_pid}, {"audio_pid", s.audio_pid}, {"teletext_pid", s.teletext_pid},
        {"video_pid", s.video_pid}, {"NetworkType", s.NetworkType},
        {"transport_stream_id", s.transport_stream_id}, {"original_network_id", s.original_network_id},
        {"symbol_rate", s.symbol_rate}, {"frequency", s.frequency}, {"Polarisation", s.Polarisation},
        {"Satellite", s.Satellite}, {"Modulation", s.Modulation}, {"Constellation", s.Constellation},
        {"CodeRateHP", s.CodeRateHP}, {"TransMode", s.TransMode}, {"GuardIntervall", s.GuardIntervall},
        {"AudioType", s.AudioType}, {"aux2", s.aux2}, {"SatModulationSystem", s.SatModulationSystem},
        {"SatRollOff", s.SatRollOff}, {"SatFecInner", s.SatFecInner}, {"uid", s.uid}, {"aux_word1", s.aux_word1},
        {"origin_name_len", s.origin_name_len}, {"hbbtv", s.hbbtv}, {"aux_word2", s.aux_word2},
        {"aux_dword", s.aux_dword}, {"aux_word3", s.aux_word3}, {"aux_byte", s.aux_byte},
    };
}

const char *const TEXT_FIELDS[] = {"name", "name_hex", "origin_name", "origin_name_hex"};
const size_t STATION_MEMBERS = 61 + 2 + 4;  // numbers, the two arrays, the names

template <size_t N, typename T>
void expect_array(const JsonValue &station, const char *key, const T (&values)[N])
{
    const JsonValue *array = station.find(key);
    ASSERT_TRUE(array && array->type == JsonValue::ARRAY) << key;
    ASSERT_EQ(array->items.size(), N) << key;
    for (size_t i = 0; i < N; i++)
        EXPECT_EQ(array->items[i].integer, int64_t(values[i])) << key << "[" << i << "]";
}

void expect_station(const JsonValue &json, const svl_station &s)
{
    ASSERT_EQ(json.type, JsonValue::OBJECT);
    EXPECT_EQ(json.members.size(), STATION_MEMBERS);
    for (const auto &field : numeric_fields(s)) {
        const JsonValue *value = json.find(field.first);
        ASSERT_TRUE(value && value->type == JsonValue::NUMBER && value->integral) << field.first;
        EXPECT_EQ(value->integer, field.second) << field.first;
    }
    expect_array(json, "ca_system_ids", s.ca_system_ids);
    expect_array(json, "aux_bytes", s.aux_bytes);
    for (const char *key : TEXT_FIELDS)
        ASSERT_TRUE(json.find(key) && json.find(key)->type == JsonValue::STRING) << key;
    EXPECT_EQ(json.find("name_hex")->text, hex(s.name, s.name_len));
    EXPECT_EQ(json.find("origin_name_hex")->text, hex(s.origin_name, s.origin_name_len));
}

class Dump : public testing::Test {
protected:
    ScratchFolder folder;
    svl_table table = {};

    ~Dump() override { svl_free_table(&table, 1); }

    // Dumps the file, checks that the output is valid JSON, and loads the
    // file into table for comparison.
    JsonValue dump(const std::string &path, CliResult *result = nullptr)
    {
        CliResult run = run_cli({"dump", path}, folder.path());
        EXPECT_EQ(run.exit_code, 0) << run.err;
        JsonValue json;
        size_t fault = 0;
        EXPECT_TRUE(json_parse(run.out, &json, &fault))
            << "invalid JSON at byte " << fault << ": " << run.out.substr(fault > 40 ? fault - 40 : 0, 80);
        EXPECT_EQ(svl_load_file(&table, path.c_str()), 0);
        if (result)
            *result = run;
        return json;
    }

    std::string save_generated(uint32_t stations, uint16_t version, uint32_t favorites, uint32_t percent)
    {
        svl_generate_options options;
        options.stations = stations;
        options.version = version;
        options.favorites = favorites;
        options.favorite_percent = percent;
        options.seed = 2024;
        svl_table generated = {};
        EXPECT_EQ(svl_generate_table(&generated, options), 0);
        std::string path = folder.file("table");
        EXPECT_EQ(svl_save_file(&generated, path.c_str()), 0);
        svl_free_table(&generated, 1);
        return path;
    }
};

void expect_lists(const JsonValue &json, const svl_table &table)
{
    ASSERT_EQ(json.members.size(), 2u);
    EXPECT_EQ(json.members[0].first, "version");
    EXPECT_EQ(json.find("version")->integer, table.version);
    const JsonValue *lists = json.find("lists");
    ASSERT_TRUE(lists && lists->type == JsonValue::ARRAY);
    ASSERT_EQ(lists->items.size(), table.list_count);
    for (uint32_t l = 0; l < table.list_count; l++) {
        const svl_list &list = *table.lists[l];
        const JsonValue &entry = lists->items[l];
        SCOPED_TRACE(list.name);
        ASSERT_EQ(entry.members.size(), 4u);
        EXPECT_EQ(entry.find("name")->text, list.name);
        EXPECT_EQ(entry.find("kind")->integer, list.kind);
        EXPECT_EQ(entry.find("attr")->integer, list.attr);
        const JsonValue &stations = *entry.find("stations");
        ASSERT_EQ(stations.items.size(), list.count);
        const svl_list *base = table.lists[svl_base_kind_of(list.kind) - 1];
        for (uint32_t i = 0; i < list.count; i++) {
            if (l < 2)
                expect_station(stations.items[i], *list.stations[i]);
            else
                EXPECT_EQ(stations.items[i].integer, svl_index_of_station(base, list.stations[i])) << i;
        }
    }
}

TEST_F(Dump, HoldsEveryListStationAndField)
{
    JsonValue json = dump(save_generated(250, 50, 3, 30));
    ASSERT_EQ(table.list_count, 8u);
    expect_lists(json, table);
}

TEST_F(Dump, VersionFortyHasTwoListsAndZeroVersionFiftyFields)
{
    JsonValue json = dump(save_generated(120, 40, 0, 0));
    ASSERT_EQ(table.list_count, 2u);
    expect_lists(json, table);
    const JsonValue &first = json.find("lists")->items[0].find("stations")->items.at(0);
    EXPECT_EQ(first.find("uid")->integer, 0);
    EXPECT_EQ(first.find("origin_name")->text, "");
}

struct NameCase {
    std::string bytes;
    uint8_t char_sel_code;
    std::string text;  // UTF-8
};

const NameCase NAME_CASES[] = {
    {"Z\xC8urich", 0, "Zürich"},
    {"T\xC2" "el\xC2" "e", 0, "Télé"},
    {"\xCF" "CT1", 0, "ČT1"},
    {"Stra\xFB" "e \xA3", 0, "Straße £"},
    {"x\xC8x", 0, "xx\xCC\x88"},          // no precomposed x with diaeresis: combining mark
    {"end\xC8", 0, "end\xCC\x88"},        // diacritic without a letter
    {"a\xC0" "b\x8A", 0, "a\uFFFDb\uFFFD"},  // undefined byte and C1 control
    {"quote\" back\\ ctl\x01\x1f\x7f", 0, "quote\" back\\ ctl\x01\x1f\x7f"},
    {"\xBF\xD5\xE0\xD2\xEB\xD9 \xF0", 1, "Первый №"},
    {"\xC5\xD1\xD4" "1", 3, "ΕΡΤ1"},
    {"\xD0\xDD\xFE\xE9", 5, "Ğİşé"},
    {"\xE9t\xE9", 22, "\uFFFDt\uFFFD"},
};

TEST_F(Dump, DecodesNamesByCharacterSetAndKeepsTheRawBytes)
{
    svl_table made = {};
    ASSERT_EQ(svl_init_table(&made, SVL_VERSION_50), 0);
    for (const NameCase &name : NAME_CASES) {
        svl_station *station = svl_new_station(SVL_VERSION_50);
        station->ProgramDataByte = 1;
        station->CharSelCode = name.char_sel_code;
        ASSERT_EQ(svl_set_station_name(station, name.bytes.c_str()), 0);
        ASSERT_EQ(svl_set_station_origin_name(station, name.bytes.c_str()), 0);
        svl_append_station(made.lists[0], station);
    }
    svl_list *favorites = svl_new_list("Fav\x01\xFF", SVL_KIND_TV_FAV, SVL_ATTR_FAVORITE);
    svl_append_list(&made, favorites);
    std::string path = folder.file("names.svl50");
    ASSERT_EQ(svl_save_file(&made, path.c_str()), 0);
    svl_free_table(&made, 1);

    JsonValue json = dump(path);
    const JsonValue *lists = json.find("lists");
    ASSERT_TRUE(lists && lists->items.size() == 3);
    const std::vector<JsonValue> &stations = lists->items[0].find("stations")->items;
    ASSERT_EQ(stations.size(), std::size(NAME_CASES));
    for (size_t i = 0; i < stations.size(); i++) {
        const NameCase &name = NAME_CASES[i];
        EXPECT_EQ(stations[i].find("name")->text, name.text) << i;
        EXPECT_EQ(stations[i].find("origin_name")->text, name.text) << i;
        EXPECT_EQ(stations[i].find("name_hex")->text, hex(name.bytes.data(), name.bytes.size())) << i;
        EXPECT_EQ(stations[i].find("origin_name_hex")->text, hex(name.bytes.data(), name.bytes.size())) << i;
    }
    EXPECT_EQ(lists->items[2].find("name")->text, "Fav\x01\uFFFD");
}

// A version-50 image: one TV station with uid 7 and a TV favorite list "F"
// whose single entry names the unknown uid 999.
std::string image_with_unknown_favorite_uid()
{
    std::string record(SVL_RECORD_MIN_50, '\0');
    record[1] = 5;
    record[2] = 1;       // TV terrestrial
    record[4 + 95] = 7;  // uid
    std::string image("\0\5\1\0\0\0", 6);
    image += record;
    image += std::string("\0\0\0\0", 4);                      // no radio stations
    image += std::string("\1\0\2F\0\2\0\0\0\0\0\xE7\3", 13);  // one list: entries 0 and 999
    image += std::string("\0", 1);                            // no radio favorite lists
    return image;
}

TEST_F(Dump, ReaderDiagnosticsStayOutOfTheJson)
{
    std::string path = folder.file("unknown-uid.svl50");
    write_file_bytes(path, image_with_unknown_favorite_uid());
    CliResult result;
    JsonValue json = dump(path, &result);
    EXPECT_NE(result.err.find("uid not found"), std::string::npos) << result.err;
    const JsonValue *lists = json.find("lists");
    ASSERT_TRUE(lists && lists->items.size() == 3);
    EXPECT_EQ(lists->items[2].find("name")->text, "F");
    EXPECT_TRUE(lists->items[2].find("stations")->items.empty());
}

}  // namespace
