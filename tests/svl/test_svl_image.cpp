// The binary image: exact bytes of the writer, the reader's handling of
// versions, favorites and damaged input, and the uid counter.
#include <cstring>

#include <gtest/gtest.h>

#include "svl/svl_image.h"
#include "svl/svl_internal.h"
#include "svl/svl_ops.h"
#include "svl_test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

// ---- exact bytes of the writer ----

TEST(ImageBytes, FourZeroTableWithOneTvStationArd)
{
    OwnedTable table;
    make_table(&table.table, 40, {make_station(40, 1, "ARD")}, {});
    OwnedImage image;
    build_image(&table.table, 1, &image);

    ASSERT_EQ(image.length, 112u);
    EXPECT_EQ(Bytes(image.data, image.data + 6), (Bytes{0x00, 0x04, 0x01, 0x00, 0x00, 0x00}));
    Bytes expected = ImageWriter().u8(0).u8(4).u32(1).station(40, 1, "ARD").u32(0).bytes();
    EXPECT_EQ(image.bytes(), expected);
    EXPECT_EQ(table.list(0)->stations[0]->uid, 0) << "4.0 stations carry no uid";
}

TEST(ImageBytes, EmptyFiveZeroTableIsTwelveBytes)
{
    OwnedTable table;
    make_table(&table.table, 50, {}, {});
    OwnedImage image;
    build_image(&table.table, 1, &image);
    EXPECT_EQ(image.bytes(), (Bytes{0x00, 0x05, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ImageBytes, FavoriteListRecordHoldsAttrZeroNameAndUidsInListOrder)
{
    OwnedTable table;
    svl_station *first = make_station(50, 1, "A");
    svl_station *second = make_station(50, 1, "B");
    make_table(&table.table, 50, {first, second}, {});
    add_favorite(&table.table, SVL_KIND_TV_FAV, "Favorite1", {second, first});
    OwnedImage image;
    build_image(&table.table, 0x0102, &image);

    ASSERT_EQ(image.length, 12u + 2 * 120 + 22);
    Bytes tail(image.data + image.length - 24, image.data + image.length);
    Bytes expected = {0x01,  // one TV favorite list
                      0x00, 0x0A, 'F', 'a', 'v', 'o', 'r', 'i', 't', 'e', '1', 0x00,
                      0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x01, 0x02, 0x01,
                      0x00};  // no radio favorite list
    EXPECT_EQ(tail, expected);
    EXPECT_EQ(first->uid, 0x0102);
    EXPECT_EQ(second->uid, 0x0103);
}

TEST(ImageBytes, BaseListsStoreOnlyStationsOfTheirMediumOrWithout)
{
    OwnedTable table;
    make_table(&table.table, 40,
               {make_station(40, 1, "TV"), make_station(40, 6, "Radio"), make_station(40, 0, "None")},
               {make_station(40, 12, "Odd"), make_station(40, 2, "Sat")});
    OwnedImage image;
    build_image(&table.table, 1, &image);
    Bytes expected = ImageWriter()
                         .u8(0).u8(4)
                         .u32(2).station(40, 1, "TV").station(40, 0, "None")
                         .u32(1).station(40, 12, "Odd")
                         .bytes();
    EXPECT_EQ(image.bytes(), expected);
}

// A station left out of the image keeps a stale uid that may equal the
// uid another station receives now; its favorite entries must go too.
TEST(ImageBytes, FavoriteEntriesOfStationsLeftOutAreLeftOutToo)
{
    OwnedTable table;
    svl_station *tv = make_station(50, 1, "TV");
    svl_station *misplaced = make_station(50, 6, "Radio");
    misplaced->uid = 5;
    make_table(&table.table, 50, {tv, misplaced}, {});
    add_favorite(&table.table, SVL_KIND_TV_FAV, "Fav", {misplaced, tv});
    OwnedImage image;
    build_image(&table.table, 5, &image);
    Bytes expected = ImageWriter()
                         .u8(0).u8(5)
                         .u32(1).station(50, 1, "TV", 5)
                         .u32(0)
                         .u8(1).favorite(0, "Fav", {5})
                         .u8(0)
                         .bytes();
    EXPECT_EQ(image.bytes(), expected);
}

// ---- every field at its offset ----

enum Anchor { AFTER_NAME, AFTER_ORIGIN_NAME };

struct FieldSpot {
    const char *field;
    Anchor anchor;
    size_t offset;
    size_t width;
    uint64_t (*value)(const svl_station *);
};

#define SPOT(anchor, offset, field)                                                       \
    FieldSpot                                                                             \
    {                                                                                     \
        #field, anchor, offset, sizeof(svl_station::field),                               \
            [](const svl_station *s) { return static_cast<uint64_t>(s->field); }          \
    }

const FieldSpot field_spots[] = {
    SPOT(AFTER_NAME, 0, CharSelCode),        SPOT(AFTER_NAME, 1, decoder),
    SPOT(AFTER_NAME, 2, SoundFilter),        SPOT(AFTER_NAME, 3, volume_correction),
    SPOT(AFTER_NAME, 4, epg),                SPOT(AFTER_NAME, 5, aux1),
    SPOT(AFTER_NAME, 6, childlock),          SPOT(AFTER_NAME, 7, cni),
    SPOT(AFTER_NAME, 9, colour_intensity),   SPOT(AFTER_NAME, 10, contrast),
    SPOT(AFTER_NAME, 11, sharpness),         SPOT(AFTER_NAME, 12, noise_reduction),
    SPOT(AFTER_NAME, 13, CTI),               SPOT(AFTER_NAME, 14, Combfilter),
    SPOT(AFTER_NAME, 15, colour_offset),     SPOT(AFTER_NAME, 16, PictureFormat),
    SPOT(AFTER_NAME, 17, VideoProfile),      SPOT(AFTER_NAME, 18, analog_frequency),
    SPOT(AFTER_NAME, 20, VCR),               SPOT(AFTER_NAME, 21, forced_mono),
    SPOT(AFTER_NAME, 22, ColorNorm),         SPOT(AFTER_NAME, 23, Standard),
    SPOT(AFTER_NAME, 24, service_id),        SPOT(AFTER_NAME, 58, encrypted),
    SPOT(AFTER_NAME, 59, CANumber),          SPOT(AFTER_NAME, 60, VidDecType),
    SPOT(AFTER_NAME, 61, has_sub_audio),     SPOT(AFTER_NAME, 62, audio_tag),
    SPOT(AFTER_NAME, 63, HiDef),             SPOT(AFTER_NAME, 64, pcr_pid),
    SPOT(AFTER_NAME, 66, audio_pid),         SPOT(AFTER_NAME, 68, teletext_pid),
    SPOT(AFTER_NAME, 70, video_pid),         SPOT(AFTER_NAME, 72, NetworkType),
    SPOT(AFTER_NAME, 73, transport_stream_id), SPOT(AFTER_NAME, 75, original_network_id),
    SPOT(AFTER_NAME, 77, symbol_rate),       SPOT(AFTER_NAME, 79, frequency),
    SPOT(AFTER_NAME, 83, Polarisation),      SPOT(AFTER_NAME, 84, Satellite),
    SPOT(AFTER_NAME, 85, Modulation),        SPOT(AFTER_NAME, 86, Constellation),
    SPOT(AFTER_NAME, 87, CodeRateHP),        SPOT(AFTER_NAME, 88, TransMode),
    SPOT(AFTER_NAME, 89, GuardIntervall),    SPOT(AFTER_NAME, 90, AudioType),
    SPOT(AFTER_NAME, 91, aux2),              SPOT(AFTER_NAME, 92, SatModulationSystem),
    SPOT(AFTER_NAME, 93, SatRollOff),        SPOT(AFTER_NAME, 94, SatFecInner),
    SPOT(AFTER_NAME, 95, uid),               SPOT(AFTER_NAME, 97, aux_word1),
    SPOT(AFTER_NAME, 99, origin_name_len),   SPOT(AFTER_ORIGIN_NAME, 0, hbbtv),
    SPOT(AFTER_ORIGIN_NAME, 1, aux_word2),   SPOT(AFTER_ORIGIN_NAME, 8, aux_dword),
    SPOT(AFTER_ORIGIN_NAME, 12, aux_word3),  SPOT(AFTER_ORIGIN_NAME, 14, aux_byte),
};

void expect_little_endian(const uint8_t *at, uint64_t value, size_t width, const char *what)
{
    for (size_t i = 0; i < width; ++i)
        EXPECT_EQ(at[i], static_cast<uint8_t>(value >> (8 * i))) << what << " byte " << i;
}

class FieldLayout : public ::testing::TestWithParam<uint16_t> {};

TEST_P(FieldLayout, EveryFieldStandsAtItsOffsetAndReadsBack)
{
    const uint16_t version = GetParam();
    const bool layout50 = version == 50;
    svl_station *station = make_station(version, 5, "Das Erste HD");
    fill_distinct_fields(station);
    if (layout50) {
        ASSERT_EQ(svl_set_station_origin_name(station, "ARD Origin"), 0);
    }
    OwnedTable table;
    make_table(&table.table, version, {station}, {});
    OwnedImage image;
    build_image(&table.table, 0xBEEF, &image);
    if (layout50) {
        EXPECT_EQ(station->uid, 0xBEEF);
    }

    const size_t name_len = 12, origin_len = layout50 ? 10 : 0;
    const size_t record_len = layout50 ? 119 + name_len + origin_len : 99 + name_len;
    ASSERT_EQ(image.length, (layout50 ? 12u : 10u) + record_len);
    const uint8_t *record = image.data + 6;
    EXPECT_EQ(record[0], version % 10);
    EXPECT_EQ(record[1], version / 10);
    EXPECT_EQ(record[2], 5);
    EXPECT_EQ(record[3], name_len);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(record + 4), name_len), "Das Erste HD");
    const uint8_t *b = record + 4 + name_len;
    const uint8_t *d = b + 100 + origin_len;
    for (const FieldSpot &spot : field_spots) {
        if (!layout50 && (spot.anchor == AFTER_ORIGIN_NAME || spot.offset >= 95))
            continue;
        const uint8_t *at = (spot.anchor == AFTER_NAME ? b : d) + spot.offset;
        expect_little_endian(at, spot.value(station), spot.width, spot.field);
    }
    for (int i = 0; i < 16; ++i)
        expect_little_endian(b + 26 + 2 * i, station->ca_system_ids[i], 2, "ca_system_ids");
    if (layout50) {
        EXPECT_EQ(std::string(reinterpret_cast<const char *>(b + 100), origin_len), "ARD Origin");
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(d[3 + i], station->aux_bytes[i]) << "aux_bytes " << i;
    }

    OwnedTable parsed;
    ASSERT_EQ(svl_parse_table(&parsed.table, image.data, image.length), 0);
    ASSERT_EQ(parsed.list(0)->count, 1u);
    expect_same_station(station, parsed.list(0)->stations[0]);
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, FieldLayout, ::testing::Values(40, 50));

// ---- versions ----

struct VersionCase {
    uint8_t low, high;
    int result;
    uint16_t layout;  // record layout the image is written in
};

class ImageVersion : public ::testing::TestWithParam<VersionCase> {};

TEST_P(ImageVersion, DecidesAcceptanceAndRecordLayout)
{
    const VersionCase c = GetParam();
    ImageWriter writer;
    writer.u8(c.low).u8(c.high);
    writer.u32(1).station(c.layout, 1, "ARD", 11, "Erste");
    writer.u32(1).station(c.layout, 6, "Radio Eins", 12);
    if (c.layout == 50)
        writer.u8(0).u8(0);
    OwnedTable table;
    const Bytes &image = writer.bytes();
    ASSERT_EQ(svl_parse_table(&table.table, image.data(), image.size()), c.result);
    if (c.result != 0) {
        expect_empty_table(&table.table);
        return;
    }
    const uint16_t version = c.low + 10 * c.high;
    EXPECT_EQ(table->version, version);
    ASSERT_EQ(table->list_count, 2u);
    ASSERT_EQ(table.list(1)->count, 1u);
    const svl_station *radio = table.list(1)->stations[0];
    EXPECT_STREQ(radio->name, "Radio Eins");
    EXPECT_EQ(radio->version, version);
    EXPECT_EQ(radio->uid, c.layout == 50 ? 12 : 0);
    EXPECT_STREQ(table.list(0)->stations[0]->origin_name, c.layout == 50 ? "Erste" : nullptr);
}

INSTANTIATE_TEST_SUITE_P(Versions, ImageVersion,
                         ::testing::Values(VersionCase{0, 4, 0, 40}, VersionCase{0, 5, 0, 50},
                                           VersionCase{5, 4, 0, 40}, VersionCase{9, 4, 0, 40},
                                           VersionCase{0, 1, 0, 40}, VersionCase{9, 0, -1, 40},
                                           VersionCase{0, 6, -1, 50}, VersionCase{1, 5, -1, 50},
                                           VersionCase{255, 255, -1, 40}));

// ---- refusals and damaged images ----

TEST(ParseTable, RefusesNullArgumentsAndImagesShorterThanTwoBytes)
{
    const uint8_t image[] = {0x00, 0x05, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(svl_parse_table(nullptr, image, sizeof image), -1);
    OwnedTable table;
    EXPECT_EQ(svl_parse_table(&table.table, nullptr, sizeof image), -1);
    expect_empty_table(&table.table);
    EXPECT_EQ(svl_parse_table(&table.table, image, 0), -1);
    expect_empty_table(&table.table);
    EXPECT_EQ(svl_parse_table(&table.table, image, 1), -1);
    expect_empty_table(&table.table);
}

// A 5.0 image with names, origin names and favorite lists of both media,
// written by hand.
Bytes rich_image()
{
    return ImageWriter()
        .u8(0).u8(5)
        .u32(2).station(50, 1, "ARD", 3, "Das Erste").station(50, 4, "ZDF", 4)
        .u32(2).station(50, 6, "Radio Eins", 5, "R1").station(50, 8, "", 6)
        .u8(1).favorite(4, "Fav TV", {4, 3})
        .u8(2).favorite(4, "Fav R", {5, 6, 5}).favorite(0, "Empty", {})
        .bytes();
}

TEST(ParseTable, ReadsEveryListOfAWholeImage)
{
    const Bytes image = rich_image();
    OwnedTable table;
    ASSERT_EQ(svl_parse_table(&table.table, image.data(), image.size()), 0);
    ASSERT_EQ(table->list_count, 5u);
    const char *names[] = {"ALL_TV", "ALL_Radio", "Fav TV", "Fav R", "Empty"};
    const uint32_t kinds[] = {1, 2, 3, 4, 4};
    const uint8_t attrs[] = {3, 3, 4, 4, 0};
    const uint32_t counts[] = {2, 2, 2, 3, 0};
    for (uint32_t i = 0; i < 5; ++i) {
        EXPECT_STREQ(table.list(i)->name, names[i]);
        EXPECT_EQ(table.list(i)->kind, kinds[i]);
        EXPECT_EQ(table.list(i)->attr, attrs[i]);
        EXPECT_EQ(table.list(i)->count, counts[i]);
    }
    svl_list *tv = table.list(0), *radio = table.list(1);
    EXPECT_EQ(table.list(2)->stations[0], tv->stations[1]);
    EXPECT_EQ(table.list(2)->stations[1], tv->stations[0]);
    EXPECT_EQ(table.list(3)->stations[0], radio->stations[0]);
    EXPECT_EQ(table.list(3)->stations[1], radio->stations[1]);
    EXPECT_EQ(table.list(3)->stations[2], radio->stations[0]);
    EXPECT_EQ(radio->stations[1]->name, nullptr) << "an empty name has no buffer";
    EXPECT_EQ(radio->stations[1]->name_len, 0);
    EXPECT_EQ(tv->stations[1]->origin_name, nullptr);
    EXPECT_STREQ(tv->stations[0]->origin_name, "Das Erste");
    EXPECT_EQ(tv->stations[0]->origin_name_len, 9);
}

TEST(ParseTable, AFavoriteListWithoutStationsHasNoArray)
{
    const Bytes image = ImageWriter()
                            .u8(0).u8(5)
                            .u32(1).station(50, 1, "ARD", 3)
                            .u32(0)
                            .u8(2).favorite(4, "Empty", {}).favorite(4, "Unknown", {9, 9})
                            .u8(0)
                            .bytes();
    OwnedTable table;
    StdoutCapture quiet;
    ASSERT_EQ(svl_parse_table(&table.table, image.data(), image.size()), 0);
    ASSERT_EQ(table->list_count, 4u);
    for (uint32_t i = 2; i < 4; ++i) {
        EXPECT_EQ(table.list(i)->count, 0u);
        EXPECT_EQ(table.list(i)->stations, nullptr) << table.list(i)->name;
    }
}

struct TruncationCase {
    const char *what;
    Bytes image;
};

class Truncation : public ::testing::TestWithParam<TruncationCase> {};

TEST_P(Truncation, EveryShortenedImageFailsAndLeavesTheTableEmpty)
{
    const Bytes &image = GetParam().image;
    for (size_t length = 0; length < image.size(); ++length) {
        OwnedTable table;
        // A copy of exactly the kept bytes, so that reading past them is an
        // out-of-bounds access the address sanitizer reports.
        Bytes kept(image.begin(), image.begin() + length);
        StdoutCapture quiet;
        ASSERT_EQ(svl_parse_table(&table.table, length ? kept.data() : image.data(), length), -1)
            << "image cut to " << length << " of " << image.size() << " bytes";
        expect_empty_table(&table.table);
    }
    OwnedTable whole;
    EXPECT_EQ(svl_parse_table(&whole.table, image.data(), image.size()), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Images, Truncation,
    ::testing::Values(
        TruncationCase{"rich50", rich_image()},
        TruncationCase{"plain40", ImageWriter()
                                      .u8(0).u8(4)
                                      .u32(2).station(40, 1, "ARD").station(40, 1, "")
                                      .u32(1).station(40, 6, "Radio")
                                      .bytes()}),
    [](const ::testing::TestParamInfo<TruncationCase> &info) { return std::string(info.param.what); });

TEST(ParseTable, IgnoresTrailingBytesAfterTheLastPart)
{
    Bytes image = ImageWriter().u8(0).u8(4).u32(1).station(40, 1, "ARD").u32(0).text("trailing junk").bytes();
    OwnedTable table;
    ASSERT_EQ(svl_parse_table(&table.table, image.data(), image.size()), 0);
    EXPECT_EQ(table.list(0)->count, 1u);
    EXPECT_EQ(table->list_count, 2u);
}

TEST(ParseTable, TakesTheLayoutFromTheTableVersionNotTheRecordHeader)
{
    Bytes image = ImageWriter().u8(0).u8(5).u32(1).station(50, 1, "ARD", 9, "Erste").u32(0).u8(0).u8(0).bytes();
    image[6] = 0x00;
    image[7] = 0x04;
    OwnedTable table;
    ASSERT_EQ(svl_parse_table(&table.table, image.data(), image.size()), 0);
    const svl_station *station = table.list(0)->stations[0];
    EXPECT_EQ(station->version, 50);
    EXPECT_EQ(station->uid, 9);
    EXPECT_STREQ(station->origin_name, "Erste");
}

// Huge counts in short images must be refused by comparing them with the
// bytes left, not by trying to allocate for them.
struct HugeCountCase {
    const char *what;
    Bytes image;
};

class HugeCount : public ::testing::TestWithParam<HugeCountCase> {};

TEST_P(HugeCount, FailsWithoutAllocatingForTheCount)
{
    const Bytes &image = GetParam().image;
    OwnedTable table;
    EXPECT_EQ(svl_parse_table(&table.table, image.data(), image.size()), -1);
    expect_empty_table(&table.table);
}

INSTANTIATE_TEST_SUITE_P(
    Images, HugeCount,
    ::testing::Values(
        HugeCountCase{"tv_stations", ImageWriter().u8(0).u8(5).u32(4000000000u).zeros(14).bytes()},
        HugeCountCase{"radio_stations", ImageWriter().u8(0).u8(4).u32(0).u32(0xFFFFFFFFu).zeros(10).bytes()},
        HugeCountCase{"favorite_entries", ImageWriter()
                                              .u8(0).u8(5).u32(0).u32(0)
                                              .u8(1).u8(0).u8(2).text("F").u8(0).u32(0xFFFFFFFFu)
                                              .zeros(4).bytes()},
        HugeCountCase{"favorite_lists", ImageWriter().u8(0).u8(5).u32(0).u32(0).u8(255).zeros(6).bytes()}),
    [](const ::testing::TestParamInfo<HugeCountCase> &info) { return std::string(info.param.what); });

// ---- favorite lists ----

TEST(ParseFavorites, ReportsAndSkipsAnUnknownUidAndStillCreatesTheList)
{
    Bytes image = ImageWriter()
                      .u8(0).u8(5)
                      .u32(2).station(50, 1, "A", 5).station(50, 1, "B", 6)
                      .u32(0)
                      .u8(1).favorite(7, "Fav", {5, 77, 6})
                      .u8(0)
                      .bytes();
    OwnedTable table;
    StdoutCapture capture;
    ASSERT_EQ(svl_parse_table(&table.table, image.data(), image.size()), 0);
    EXPECT_EQ(capture.finish(), "***E: svl_parse_fav_list(): uid not found:   77\n");
    ASSERT_EQ(table->list_count, 3u);
    const svl_list *favorites = table.list(2);
    EXPECT_STREQ(favorites->name, "Fav");
    EXPECT_EQ(favorites->kind, 3u);
    EXPECT_EQ(favorites->attr, 7);
    ASSERT_EQ(favorites->count, 2u);
    EXPECT_EQ(favorites->stations[0], table.list(0)->stations[0]);
    EXPECT_EQ(favorites->stations[1], table.list(0)->stations[1]);
}

TEST(ParseFavorites, ResolveOnlyAgainstTheBaseListOfTheirOwnMedium)
{
    Bytes image = ImageWriter()
                      .u8(0).u8(5)
                      .u32(1).station(50, 1, "TV", 5)
                      .u32(1).station(50, 6, "Radio", 6)
                      .u8(1).favorite(0, "TV favorites", {6, 5})
                      .u8(1).favorite(0, "Radio favorites", {5})
                      .bytes();
    OwnedTable table;
    StdoutCapture capture;
    ASSERT_EQ(svl_parse_table(&table.table, image.data(), image.size()), 0);
    EXPECT_EQ(capture.finish(),
              "***E: svl_parse_fav_list(): uid not found:    6\n"
              "***E: svl_parse_fav_list(): uid not found:    5\n");
    ASSERT_EQ(table->list_count, 4u);
    ASSERT_EQ(table.list(2)->count, 1u);
    EXPECT_EQ(table.list(2)->stations[0], table.list(0)->stations[0]);
    EXPECT_EQ(table.list(3)->count, 0u);
    EXPECT_EQ(table.list(3)->kind, 4u);
}

TEST(ParseFavorites, TheLastStationWithADuplicateUidWins)
{
    Bytes image = ImageWriter()
                      .u8(0).u8(5)
                      .u32(3).station(50, 1, "first", 7).station(50, 1, "second", 7).station(50, 1, "third", 8)
                      .u32(0)
                      .u8(1).favorite(0, "Fav", {7, 8, 7})
                      .u8(0)
                      .bytes();
    OwnedTable table;
    ASSERT_EQ(svl_parse_table(&table.table, image.data(), image.size()), 0);
    const svl_list *favorites = table.list(2);
    ASSERT_EQ(favorites->count, 3u);
    EXPECT_STREQ(favorites->stations[0]->name, "second");
    EXPECT_STREQ(favorites->stations[1]->name, "third");
    EXPECT_EQ(favorites->stations[2], table.list(0)->stations[1]);
}

struct StoredNameCase {
    const char *what;
    Bytes stored;  // the S bytes of the record
    const char *name;
};

class StoredListName : public ::testing::TestWithParam<StoredNameCase> {};

TEST_P(StoredListName, IsTheTextUpToTheFirstNul)
{
    const StoredNameCase &c = GetParam();
    ImageWriter writer;
    writer.u8(0).u8(5).u32(0).u32(0).u8(1).u8(0).u8(c.stored.size());
    for (uint8_t byte : c.stored)
        writer.u8(byte);
    writer.u32(1).u16(0).u8(0);
    OwnedTable table;
    const Bytes &image = writer.bytes();
    ASSERT_EQ(svl_parse_table(&table.table, image.data(), image.size()), 0);
    ASSERT_EQ(table->list_count, 3u);
    EXPECT_STREQ(table.list(2)->name, c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Names, StoredListName,
    ::testing::Values(StoredNameCase{"terminated", {'F', 'a', 'v', 0}, "Fav"},
                      StoredNameCase{"unterminated", {'F', 'a', 'v'}, "Fav"},
                      StoredNameCase{"inner_nul", {'F', 'a', 0, 'x', 0}, "Fa"},
                      StoredNameCase{"no_bytes", {}, ""}),
    [](const ::testing::TestParamInfo<StoredNameCase> &info) { return std::string(info.param.what); });

TEST(ParseFavorites, RefusesANullOffsetOrBaseList)
{
    const uint8_t group[] = {0};
    OwnedTable table;
    make_table(&table.table, 50, {}, {});
    size_t offset = 0;
    EXPECT_EQ(svl_parse_fav_list(&table.table, group, sizeof group, nullptr, table.list(0), 3), -1);
    EXPECT_EQ(svl_parse_fav_list(&table.table, group, sizeof group, &offset, nullptr, 3), -1);
    EXPECT_EQ(svl_parse_fav_list(nullptr, group, sizeof group, &offset, table.list(0), 3), -1);
    EXPECT_EQ(table->list_count, 2u);
}

TEST(ParseFavorites, RefusesAnOffsetPastTheEndOfTheImage)
{
    const Bytes group = {1, 0, 2, 'F', 0, 1, 0, 0, 0, 0, 0};
    OwnedTable table;
    make_table(&table.table, 50, {}, {});
    for (size_t start : {group.size() + 1, group.size() + 100}) {
        size_t offset = start;
        EXPECT_EQ(svl_parse_fav_list(&table.table, group.data(), group.size(), &offset, table.list(0), 3), -1);
        EXPECT_EQ(offset, start);
    }
    EXPECT_EQ(table->list_count, 2u);
}

// ---- the uid counter ----

struct SmallTable {
    OwnedTable table;
    svl_station *a, *b, *c;
    SmallTable()
    {
        a = make_station(50, 1, "A");
        b = make_station(50, 3, "B");
        c = make_station(50, 6, "C");
        make_table(&table.table, 50, {a, b}, {c});
        add_favorite(&table.table, SVL_KIND_TV_FAV, "TV", {b, a, b});
        add_favorite(&table.table, SVL_KIND_RADIO_FAV, "Radio", {c});
    }
};

TEST(UidCounter, EachBuildNumbersAfreshAndFavoritesStillMatch)
{
    SmallTable small;
    OwnedImage first, second;
    build_image(&small.table.table, 100, &first);
    EXPECT_EQ(svl_peek_next_uid(), 103);
    svl_station *expected_first[] = {small.a, small.b, small.c};
    for (uint16_t i = 0; i < 3; ++i)
        EXPECT_EQ(expected_first[i]->uid, 100 + i);
    second.data = svl_build_table(&small.table.table, &second.length);
    ASSERT_NE(second.data, nullptr);
    EXPECT_EQ(small.a->uid, 103);
    EXPECT_EQ(small.c->uid, 105);
    EXPECT_NE(first.bytes(), second.bytes());

    OwnedTable parsed_first;
    ASSERT_EQ(svl_parse_table(&parsed_first.table, first.data, first.length), 0);
    EXPECT_EQ(parsed_first.list(0)->stations[0]->uid, 100);
    // Renumbering the first image's table from where the second build began
    // must give the second image: same stations, same favorite entries.
    OwnedImage rebuilt;
    build_image(&parsed_first.table, 103, &rebuilt);
    EXPECT_EQ(rebuilt.bytes(), second.bytes());
    expect_same_table(&small.table.table, &parsed_first.table);
}

TEST(UidCounter, WrapsFrom65535ToZeroAndUidZeroStillResolves)
{
    SmallTable small;
    OwnedImage image;
    build_image(&small.table.table, 65534, &image);
    EXPECT_EQ(small.a->uid, 65534);
    EXPECT_EQ(small.b->uid, 65535);
    EXPECT_EQ(small.c->uid, 0);
    EXPECT_EQ(svl_peek_next_uid(), 1);

    OwnedTable parsed;
    StdoutCapture capture;
    ASSERT_EQ(svl_parse_table(&parsed.table, image.data, image.length), 0);
    EXPECT_EQ(capture.finish(), "");
    expect_same_table(&small.table.table, &parsed.table);
}

TEST(UidCounter, FourZeroTablesLeaveItAndTheirUidsAlone)
{
    OwnedTable table;
    make_table(&table.table, 40, {make_station(40, 1, "A")}, {make_station(40, 6, "B")});
    OwnedImage image;
    build_image(&table.table, 500, &image);
    EXPECT_EQ(svl_peek_next_uid(), 500);
    EXPECT_EQ(table.list(0)->stations[0]->uid, 0);
    EXPECT_EQ(table.list(1)->stations[0]->uid, 0);
}

// ---- refusals of the writer ----

TEST(BuildTable, RefusesTablesWithoutBothBaseLists)
{
    size_t length = 99;
    EXPECT_EQ(svl_build_table(nullptr, &length), nullptr);
    svl_table empty{};
    empty.version = 50;
    EXPECT_EQ(svl_build_table(&empty, &length), nullptr);
    OwnedTable one_list;
    one_list->version = 50;
    ASSERT_EQ(svl_append_list(&one_list.table, svl_new_list("ALL_TV", SVL_KIND_TV, SVL_ATTR_BASE)), 0);
    EXPECT_EQ(svl_build_table(&one_list.table, &length), nullptr);
}

// The reader lays out every record by the image's version; a station of the
// other layout would make every later record unreadable, and a save would
// replace a good file by one that no longer opens.
TEST(BuildTable, RefusesStationsWhoseLayoutDiffersFromTheTables)
{
    struct Case {
        uint16_t table_version, tv_version, radio_version;
    };
    for (Case c : {Case{50, 40, 50}, Case{50, 50, 45}, Case{40, 50, 40}, Case{45, 40, 50}}) {
        OwnedTable table;
        make_table(&table.table, c.table_version, {make_station(c.tv_version, 1, "TV")},
                   {make_station(c.radio_version, 6, "Radio")});
        size_t length = 0;
        EXPECT_EQ(svl_build_table(&table.table, &length), nullptr)
            << c.table_version << " " << c.tv_version << " " << c.radio_version;
    }
    OwnedTable same_layout;
    make_table(&same_layout.table, 45, {make_station(40, 1, "TV")}, {make_station(45, 6, "Radio")});
    OwnedImage image;
    build_image(&same_layout.table, 1, &image);
    OwnedTable parsed;
    EXPECT_EQ(svl_parse_table(&parsed.table, image.data, image.length), 0);
}

// A favorite group counts its lists in one byte.
TEST(BuildTable, RefusesMoreFavoriteListsOfOneKindThanTheGroupCanCount)
{
    for (uint32_t kind : {SVL_KIND_TV_FAV, SVL_KIND_RADIO_FAV}) {
        OwnedTable table;
        make_table(&table.table, 50, {make_station(50, 1, "TV")}, {make_station(50, 6, "Radio")});
        for (int i = 0; i < 255; ++i)
            add_favorite(&table.table, kind, "Fav", {table.list(kind - 3)->stations[0]});
        OwnedImage image;
        build_image(&table.table, 1, &image);
        add_favorite(&table.table, kind, "One too many", {});
        size_t length = 0;
        EXPECT_EQ(svl_build_table(&table.table, &length), nullptr) << "kind " << kind;
    }
}

}  // namespace
