#include "svl_test_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <unordered_map>

#include <gtest/gtest.h>

#include "svl/svl_image.h"
#include "svl/svl_internal.h"
#include "svl/svl_ops.h"

// Every single-valued field of a record, in declared order; version-50
// fields apart.
#define SVL_FIELDS_40(X)                                                                           \
    X(ProgramDataByte) X(CharSelCode) X(decoder) X(SoundFilter) X(volume_correction) X(epg)        \
    X(aux1) X(childlock) X(cni) X(colour_intensity) X(contrast) X(sharpness) X(noise_reduction)    \
    X(CTI) X(Combfilter) X(colour_offset) X(PictureFormat) X(VideoProfile) X(analog_frequency)     \
    X(VCR) X(forced_mono) X(ColorNorm) X(Standard) X(service_id) X(encrypted) X(CANumber)          \
    X(VidDecType) X(has_sub_audio) X(audio_tag) X(HiDef) X(pcr_pid) X(audio_pid) X(teletext_pid)   \
    X(video_pid) X(NetworkType) X(transport_stream_id) X(original_network_id) X(symbol_rate)       \
    X(frequency) X(Polarisation) X(Satellite) X(Modulation) X(Constellation) X(CodeRateHP)         \
    X(TransMode) X(GuardIntervall) X(AudioType) X(aux2) X(SatModulationSystem) X(SatRollOff)       \
    X(SatFecInner)
#define SVL_FIELDS_50(X) \
    X(uid) X(aux_word1) X(hbbtv) X(aux_word2) X(aux_dword) X(aux_word3) X(aux_byte)

OwnedTable::~OwnedTable()
{
    svl_free_table(&table, 1);
}

OwnedImage::~OwnedImage()
{
    svl_free_image(data);
}

void build_image(svl_table *table, uint16_t first_uid, OwnedImage *image)
{
    svl_set_next_uid(first_uid);
    image->data = svl_build_table(table, &image->length);
    ASSERT_NE(image->data, nullptr);
}

ImageWriter &ImageWriter::u8(uint32_t value)
{
    bytes_.push_back(static_cast<uint8_t>(value));
    return *this;
}

ImageWriter &ImageWriter::u16(uint32_t value)
{
    return u8(value).u8(value >> 8);
}

ImageWriter &ImageWriter::u32(uint32_t value)
{
    return u16(value).u16(value >> 16);
}

ImageWriter &ImageWriter::text(const std::string &text)
{
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
}

ImageWriter &ImageWriter::zeros(size_t count)
{
    bytes_.insert(bytes_.end(), count, 0);
    return *this;
}

ImageWriter &ImageWriter::station(uint16_t layout, uint8_t program_data_byte, const std::string &name,
                                  uint16_t uid, const std::string &origin_name)
{
    u8(layout % 10).u8(layout / 10).u8(program_data_byte).u8(name.size()).text(name);
    zeros(95);
    if (layout >= 50)
        u16(uid).u16(0).u8(origin_name.size()).text(origin_name).zeros(15);
    return *this;
}

ImageWriter &ImageWriter::favorite(uint8_t attr, const std::string &name, const std::vector<uint16_t> &uids)
{
    u8(attr).u8(name.size() + 1).text(name).u8(0);
    u32(uids.size() + 1).u16(0);
    for (uint16_t uid : uids)
        u16(uid);
    return *this;
}

svl_station *make_station(uint16_t version, uint8_t program_data_byte, const char *name)
{
    svl_station *station = svl_new_station(version);
    EXPECT_NE(station, nullptr);
    station->ProgramDataByte = program_data_byte;
    if (*name) {
        EXPECT_EQ(svl_set_station_name(station, name), 0);
    }
    return station;
}

// Gives the field the next sizeof(field) byte values of the counter, least
// significant first, so that no two fields share a byte value.
template <typename Field>
static void fill_next(Field &field, uint8_t &counter)
{
    uint64_t value = 0;
    for (size_t i = 0; i < sizeof(Field); ++i)
        value |= static_cast<uint64_t>(counter++) << (8 * i);
    field = static_cast<Field>(value);
}

void fill_distinct_fields(svl_station *station)
{
    uint8_t counter = 20;
    uint8_t type = station->ProgramDataByte;
#define FILL(field) fill_next(station->field, counter);
    SVL_FIELDS_40(FILL)
    for (uint16_t &id : station->ca_system_ids)
        fill_next(id, counter);
    if (station->version >= 50) {
        SVL_FIELDS_50(FILL)
        for (uint8_t &byte : station->aux_bytes)
            fill_next(byte, counter);
    }
#undef FILL
    station->ProgramDataByte = type;
}

void expect_same_station(const svl_station *expected, const svl_station *actual)
{
    ASSERT_NE(actual, nullptr);
    EXPECT_EQ(expected->version, actual->version);
#define SAME(field) EXPECT_EQ(+expected->field, +actual->field) << #field;
    SVL_FIELDS_40(SAME)
    SVL_FIELDS_50(SAME)
#undef SAME
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(expected->ca_system_ids[i], actual->ca_system_ids[i]) << "ca_system_ids " << i;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(expected->aux_bytes[i], actual->aux_bytes[i]) << "aux_bytes " << i;
    EXPECT_EQ(expected->name_len, actual->name_len);
    EXPECT_STREQ(expected->name, actual->name);
    EXPECT_EQ(expected->origin_name_len, actual->origin_name_len);
    EXPECT_STREQ(expected->origin_name, actual->origin_name);
}

static std::unordered_map<const svl_station *, uint32_t> positions(const svl_list *base)
{
    std::unordered_map<const svl_station *, uint32_t> result;
    for (uint32_t i = 0; i < base->count; ++i)
        result[base->stations[i]] = i;
    return result;
}

static void expect_same_favorites(const svl_table *expected, const svl_table *actual, uint32_t index)
{
    const svl_list *want = expected->lists[index];
    const svl_list *got = actual->lists[index];
    uint32_t base = svl_base_kind_of(want->kind) - 1;
    auto want_positions = positions(expected->lists[base]);
    auto got_positions = positions(actual->lists[base]);
    for (uint32_t i = 0; i < want->count && i < got->count; ++i) {
        ASSERT_EQ(got_positions.count(got->stations[i]), 1u) << "favorite entry outside its base list";
        EXPECT_EQ(want_positions.at(want->stations[i]), got_positions.at(got->stations[i]))
            << want->name << " entry " << i;
    }
}

void expect_same_table(const svl_table *expected, const svl_table *actual)
{
    EXPECT_EQ(expected->version, actual->version);
    ASSERT_EQ(expected->list_count, actual->list_count);
    for (uint32_t index = 0; index < expected->list_count; ++index) {
        const svl_list *want = expected->lists[index];
        const svl_list *got = actual->lists[index];
        EXPECT_STREQ(want->name, got->name);
        EXPECT_EQ(want->kind, got->kind);
        ASSERT_EQ(want->count, got->count) << want->name;
        if (index < 2) {
            for (uint32_t i = 0; i < want->count; ++i)
                expect_same_station(want->stations[i], got->stations[i]);
        } else {
            expect_same_favorites(expected, actual, index);
        }
    }
}

static void add_base_list(svl_table *table, const char *name, uint32_t kind,
                          const std::vector<svl_station *> &stations)
{
    svl_list *list = svl_new_list(name, kind, SVL_ATTR_BASE);
    ASSERT_NE(list, nullptr);
    for (svl_station *station : stations)
        ASSERT_EQ(svl_append_station(list, station), 0);
    ASSERT_EQ(svl_append_list(table, list), 0);
}

void make_table(svl_table *table, uint16_t version, const std::vector<svl_station *> &tv,
                const std::vector<svl_station *> &radio)
{
    table->version = version;
    add_base_list(table, "ALL_TV", SVL_KIND_TV, tv);
    add_base_list(table, "ALL_Radio", SVL_KIND_RADIO, radio);
}

svl_list *add_favorite(svl_table *table, uint32_t kind, const char *name,
                       const std::vector<svl_station *> &stations)
{
    svl_list *list = svl_new_list(name, kind, SVL_ATTR_FAVORITE);
    EXPECT_NE(list, nullptr);
    for (svl_station *station : stations)
        EXPECT_EQ(svl_append_station(list, station), 0);
    EXPECT_EQ(svl_append_list(table, list), 0);
    return list;
}

void expect_empty_table(const svl_table *table)
{
    EXPECT_EQ(table->list_count, 0u);
    EXPECT_EQ(table->lists, nullptr);
}

StdoutCapture::StdoutCapture()
{
    fflush(stdout);
    file_ = tmpfile();
    saved_fd_ = dup(STDOUT_FILENO);
    dup2(fileno(file_), STDOUT_FILENO);
}

StdoutCapture::~StdoutCapture()
{
    if (file_)
        finish();
}

std::string StdoutCapture::finish()
{
    fflush(stdout);
    dup2(saved_fd_, STDOUT_FILENO);
    close(saved_fd_);
    std::string text;
    rewind(file_);
    char buffer[256];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file_)) > 0)
        text.append(buffer, got);
    fclose(file_);
    file_ = nullptr;
    return text;
}

#if defined(__SANITIZE_ADDRESS__)
// Counts read from an image must be checked before they reach the
// allocator. Huge allocations would quietly succeed on overcommitted memory;
// with this cap the sanitizer build stops on them instead.
extern "C" const char *__asan_default_options()
{
    return "max_allocation_size_mb=512";
}
#endif
