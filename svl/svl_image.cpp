// The binary image of a station table: reading and building it.
//
// One description of the record layout, transfer_station(), drives both the
// reader and the writer, so the two can never disagree on a field.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "svl_image.h"
#include "svl_internal.h"
#include "svl_ops.h"

namespace {

// uids are renumbered on every build, from one counter for the whole run.
std::atomic<uint16_t> next_uid{1};

enum { FAV_LIST_NAME_MAX = SVL_MAX_LIST_NAME_BYTES, FAV_GROUP_MAX = 255 };

// Reads little-endian fields from an image; once a read would pass the end
// it stops reading and every later field reads as zero.
class ImageReader {
public:
    ImageReader(const uint8_t *data, size_t length, size_t offset) : data_(data), length_(length), pos_(offset) {}

    bool ok() const { return ok_; }
    size_t position() const { return pos_; }
    size_t remaining() const { return length_ - pos_; }

    void header(uint16_t &) { skip(2); }
    void field(uint8_t &value) { value = uint8_t(read(1)); }
    void field(int8_t &value) { value = int8_t(uint8_t(read(1))); }
    void field(uint16_t &value) { value = uint16_t(read(2)); }
    void field(uint32_t &value) { value = uint32_t(read(4)); }
    template <size_t N, class T>
    void field(T (&values)[N])
    {
        for (T &value : values)
            field(value);
    }

    // A length byte and that many bytes into a new NUL-terminated buffer
    // (none when the length is 0).
    void text(uint8_t &length, char *&text)
    {
        field(length);
        if (!ok_ || length == 0)
            return;
        if (!has(length)) {
            ok_ = false;
            return;
        }
        text = static_cast<char *>(malloc(size_t(length) + 1));
        if (!text) {
            ok_ = false;
            return;
        }
        memcpy(text, data_ + pos_, length);
        text[length] = '\0';
        pos_ += length;
    }

    void bytes(void *out, size_t count)
    {
        if (!has(count)) {
            ok_ = false;
            return;
        }
        memcpy(out, data_ + pos_, count);
        pos_ += count;
    }

    void skip(size_t count)
    {
        if (has(count))
            pos_ += count;
        else
            ok_ = false;
    }

    bool has(size_t count) const { return ok_ && count <= length_ - pos_; }

private:
    uint32_t read(size_t width)
    {
        if (!has(width)) {
            ok_ = false;
            return 0;
        }
        uint32_t value = 0;
        for (size_t i = width; i-- > 0;)
            value = value << 8 | data_[pos_ + i];
        pos_ += width;
        return value;
    }

    const uint8_t *data_;
    size_t length_;
    size_t pos_;
    bool ok_ = true;
};

// Writes little-endian fields into an image sized in advance.
class ImageWriter {
public:
    ImageWriter(uint8_t *data, size_t length) : data_(data), length_(length) {}

    bool ok() const { return ok_; }
    size_t position() const { return pos_; }

    void header(uint16_t &version)
    {
        uint8_t digits[2] = {uint8_t(version % 10), uint8_t(version / 10)};
        bytes(digits, 2);
    }
    void field(uint8_t &value) { write(value, 1); }
    void field(int8_t &value) { write(uint8_t(value), 1); }
    void field(uint16_t &value) { write(value, 2); }
    void field(uint32_t &value) { write(value, 4); }
    template <size_t N, class T>
    void field(T (&values)[N])
    {
        for (T &value : values)
            field(value);
    }

    void text(uint8_t &length, char *&text)
    {
        field(length);
        if (text)
            bytes(text, length);
        else
            zeros(length);
    }

    void bytes(const void *in, size_t count)
    {
        if (!room(count))
            return;
        memcpy(data_ + pos_, in, count);
        pos_ += count;
    }

    void zeros(size_t count)
    {
        if (room(count))
            pos_ += count;  // the image is allocated zeroed
    }

private:
    bool room(size_t count)
    {
        ok_ = ok_ && count <= length_ - pos_;
        return ok_;
    }

    void write(uint32_t value, size_t width)
    {
        if (!room(width))
            return;
        for (size_t i = 0; i < width; ++i, value >>= 8)
            data_[pos_ + i] = uint8_t(value);
        pos_ += width;
    }

    uint8_t *data_;
    size_t length_;
    size_t pos_ = 0;
    bool ok_ = true;
};

template <class Io>
void transfer_settings(Io &io, svl_station &s)
{
    io.field(s.CharSelCode);
    io.field(s.decoder);
    io.field(s.SoundFilter);
    io.field(s.volume_correction);
    io.field(s.epg);
    io.field(s.aux1);
    io.field(s.childlock);
    io.field(s.cni);
    io.field(s.colour_intensity);
    io.field(s.contrast);
    io.field(s.sharpness);
    io.field(s.noise_reduction);
    io.field(s.CTI);
    io.field(s.Combfilter);
    io.field(s.colour_offset);
    io.field(s.PictureFormat);
    io.field(s.VideoProfile);
    io.field(s.analog_frequency);
    io.field(s.VCR);
    io.field(s.forced_mono);
    io.field(s.ColorNorm);
    io.field(s.Standard);
    io.field(s.service_id);
    io.field(s.ca_system_ids);
    io.field(s.encrypted);
    io.field(s.CANumber);
    io.field(s.VidDecType);
    io.field(s.has_sub_audio);
    io.field(s.audio_tag);
    io.field(s.HiDef);
    io.field(s.pcr_pid);
    io.field(s.audio_pid);
    io.field(s.teletext_pid);
    io.field(s.video_pid);
    io.field(s.NetworkType);
    io.field(s.transport_stream_id);
    io.field(s.original_network_id);
    io.field(s.symbol_rate);
    io.field(s.frequency);
    io.field(s.Polarisation);
    io.field(s.Satellite);
    io.field(s.Modulation);
    io.field(s.Constellation);
    io.field(s.CodeRateHP);
    io.field(s.TransMode);
    io.field(s.GuardIntervall);
    io.field(s.AudioType);
    io.field(s.aux2);
    io.field(s.SatModulationSystem);
    io.field(s.SatRollOff);
    io.field(s.SatFecInner);
}

template <class Io>
void transfer_v50_fields(Io &io, svl_station &s)
{
    io.field(s.uid);
    io.field(s.aux_word1);
    io.text(s.origin_name_len, s.origin_name);
    io.field(s.hbbtv);
    io.field(s.aux_word2);
    io.field(s.aux_bytes);
    io.field(s.aux_dword);
    io.field(s.aux_word3);
    io.field(s.aux_byte);
}

// The station record layout; version-50 fields follow only in 5.0 records.
template <class Io>
void transfer_station(Io &io, svl_station &s, bool with_v50_fields)
{
    io.header(s.version);
    io.field(s.ProgramDataByte);
    io.text(s.name_len, s.name);
    transfer_settings(io, s);
    if (with_v50_fields)
        transfer_v50_fields(io, s);
}

bool is_v50(uint16_t version)
{
    return version >= SVL_VERSION_50;
}

// ---- reading ----

int read_base_list(svl_table *table, ImageReader &reader, const char *name, uint32_t kind)
{
    uint32_t count = 0;
    reader.field(count);
    if (!reader.ok())
        return -1;
    svl_list *list = svl_new_list(name, kind, SVL_ATTR_BASE);
    if (!list || svl_append_list(table, list) != 0) {
        svl_free_list(list, 0);
        return -1;
    }
    // Every record takes at least its fixed part, so a count the image cannot
    // hold is refused before anything is allocated for it.
    size_t smallest = is_v50(table->version) ? SVL_RECORD_MIN_50 : SVL_RECORD_MIN_40;
    if (count > reader.remaining() / smallest || svl_reserve_stations(list, count) != 0)
        return -1;
    for (uint32_t i = 0; i < count; ++i) {
        svl_station *station = svl_new_station(table->version);
        if (!station)
            return -1;
        transfer_station(reader, *station, is_v50(table->version));
        if (!reader.ok()) {
            svl_free_station(station);
            return -1;
        }
        svl_append_station(list, station);
    }
    return 0;
}

// Position + 1 of the last station holding each uid; 0 where none does.
uint32_t *index_stations_by_uid(const svl_list *base)
{
    uint32_t *positions = static_cast<uint32_t *>(calloc(65536, sizeof(uint32_t)));
    if (positions) {
        for (uint32_t i = 0; i < base->count; ++i)
            positions[base->stations[i]->uid] = i + 1;
    }
    return positions;
}

svl_list *read_fav_list(ImageReader &reader, const svl_list *base, const uint32_t *positions, uint32_t kind)
{
    uint8_t attr = 0, size = 0;
    reader.field(attr);
    reader.field(size);
    char name[FAV_GROUP_MAX + 1] = {};
    reader.bytes(name, size);
    uint32_t entries = 0;
    reader.field(entries);
    if (!reader.ok() || entries > reader.remaining() / 2)
        return nullptr;
    svl_list *list = svl_new_list(name, kind, attr);
    if (!list || svl_reserve_stations(list, entries) != 0) {
        svl_free_list(list, 0);
        return nullptr;
    }
    for (uint32_t i = 0; i < entries; ++i) {
        uint16_t uid = 0;
        reader.field(uid);
        if (i == 0 && uid == 0)
            continue;
        if (positions[uid] == 0) {
            printf("***E: %s(): uid not found: %4d\n", "svl_parse_fav_list", uid);
            continue;
        }
        svl_append_station(list, base->stations[positions[uid] - 1]);
    }
    svl_release_spare_room(list);
    return list;
}

}  // namespace

uint16_t svl_peek_next_uid()
{
    return next_uid.load();
}

void svl_set_next_uid(uint16_t uid)
{
    next_uid.store(uid);
}

int svl_parse_fav_list(svl_table *table, const uint8_t *image, size_t length, size_t *offset,
                       const svl_list *base, uint32_t kind)
{
    if (!table || !offset || !base || (!image && length > 0) || *offset > length)
        return -1;
    ImageReader reader(image, length, *offset);
    uint8_t list_count = 0;
    reader.field(list_count);
    if (!reader.ok())
        return -1;
    *offset = reader.position();
    if (list_count == 0)
        return 0;
    uint32_t *positions = index_stations_by_uid(base);
    if (!positions)
        return -1;
    int result = 0;
    for (uint8_t i = 0; i < list_count && result == 0; ++i) {
        svl_list *list = read_fav_list(reader, base, positions, kind);
        if (!list || svl_append_list(table, list) != 0) {
            svl_free_list(list, 0);
            result = -1;
        }
    }
    free(positions);
    *offset = reader.position();
    return result;
}

namespace {

int parse_lists(svl_table *target, const uint8_t *image, size_t length)
{
    ImageReader reader(image, length, 2);
    if (read_base_list(target, reader, SVL_TV_LIST_NAME, SVL_KIND_TV) != 0 ||
        read_base_list(target, reader, SVL_RADIO_LIST_NAME, SVL_KIND_RADIO) != 0)
        return -1;
    if (!is_v50(target->version))
        return 0;
    size_t offset = reader.position();
    if (svl_parse_fav_list(target, image, length, &offset, target->lists[0], SVL_KIND_TV_FAV) != 0 ||
        svl_parse_fav_list(target, image, length, &offset, target->lists[1], SVL_KIND_RADIO_FAV) != 0)
        return -1;
    return 0;
}

}  // namespace

int svl_parse_table(svl_table *target, const uint8_t *image, size_t length)
{
    if (!target)
        return -1;
    *target = svl_table{};
    if (!image || length < 2)
        return -1;
    unsigned version = image[0] + 10u * image[1];
    if (version < 10 || version > 50)
        return -1;
    target->version = uint16_t(version);
    if (parse_lists(target, image, length) != 0) {
        svl_free_table(target, 1);
        *target = svl_table{};
        return -1;
    }
    return 0;
}

// ---- building ----

namespace {

bool is_written_in(const svl_station *station, uint32_t base_kind)
{
    if (!station)
        return false;
    int medium = svl_station_medium(station);
    int list_medium = base_kind == SVL_KIND_TV ? SVL_MEDIUM_TV : SVL_MEDIUM_RADIO;
    return medium == SVL_MEDIUM_NONE || medium == list_medium;
}

// The reader lays out every record by the image's version, so a station
// whose own version asks for the other layout would garble every record
// after it.
bool stations_match_layout(const svl_table *table)
{
    for (uint32_t b = 0; b < 2; ++b) {
        const svl_list *base = table->lists[b];
        for (uint32_t i = 0; i < base->count; ++i) {
            const svl_station *station = base->stations[i];
            if (is_written_in(station, b + 1) && is_v50(station->version) != is_v50(table->version))
                return false;
        }
    }
    return true;
}

size_t record_size(const svl_station *station)
{
    size_t size = SVL_RECORD_MIN_40 + station->name_len;
    if (is_v50(station->version))
        size += SVL_RECORD_MIN_50 - SVL_RECORD_MIN_40 + station->origin_name_len;
    return size;
}

size_t fav_name_size(const svl_list *list)
{
    size_t length = list->name ? strlen(list->name) : 0;
    return (length > size_t(FAV_LIST_NAME_MAX) ? size_t(FAV_LIST_NAME_MAX) : length) + 1;
}

// A favorite entry is written only when its station is: a station that
// stands in the wrong base list is left out of the image, and its stale uid
// must not make the entry point at another station after reloading.
bool is_written_entry(const svl_list *list, const svl_station *station)
{
    return is_written_in(station, svl_base_kind_of(list->kind));
}

uint32_t count_written_entries(const svl_list *list)
{
    uint32_t written = 0;
    for (uint32_t i = 0; i < list->count; ++i)
        written += is_written_entry(list, list->stations[i]);
    return written;
}

bool fav_group_fits(const svl_table *table, uint32_t kind)
{
    uint32_t lists = 0;
    for (uint32_t i = 2; i < table->list_count; ++i) {
        if (table->lists[i]->kind == kind && (++lists > FAV_GROUP_MAX || table->lists[i]->count == UINT32_MAX))
            return false;
    }
    return true;
}

size_t image_size(const svl_table *table)
{
    size_t size = 10;
    for (uint32_t b = 0; b < 2; ++b) {
        const svl_list *base = table->lists[b];
        for (uint32_t i = 0; i < base->count; ++i) {
            if (is_written_in(base->stations[i], b + 1))
                size += record_size(base->stations[i]);
        }
    }
    if (!is_v50(table->version))
        return size;
    size += 2;
    for (uint32_t i = 2; i < table->list_count; ++i) {
        const svl_list *list = table->lists[i];
        if (svl_is_favorite_kind(list->kind))
            size += fav_name_size(list) + 2 * size_t(count_written_entries(list)) + 8;
    }
    return size;
}

void write_base_list(ImageWriter &writer, svl_list *base, uint32_t base_kind)
{
    uint32_t written = 0;
    for (uint32_t i = 0; i < base->count; ++i)
        written += is_written_in(base->stations[i], base_kind);
    writer.field(written);
    for (uint32_t i = 0; i < base->count; ++i) {
        svl_station *station = base->stations[i];
        if (!is_written_in(station, base_kind))
            continue;
        if (is_v50(station->version))
            station->uid = next_uid.fetch_add(1);
        transfer_station(writer, *station, is_v50(station->version));
    }
}

void write_fav_list(ImageWriter &writer, const svl_list *list)
{
    uint8_t attr = 0;
    uint8_t size = uint8_t(fav_name_size(list));
    writer.field(attr);
    writer.field(size);
    writer.bytes(list->name ? list->name : "", size - 1u);
    writer.zeros(1);
    uint32_t entries = count_written_entries(list) + 1;
    writer.field(entries);
    writer.zeros(2);
    for (uint32_t i = 0; i < list->count; ++i) {
        if (is_written_entry(list, list->stations[i]))
            writer.field(list->stations[i]->uid);
    }
}

void write_fav_group(ImageWriter &writer, const svl_table *table, uint32_t kind)
{
    uint8_t lists = 0;
    for (uint32_t i = 2; i < table->list_count; ++i)
        lists += table->lists[i]->kind == kind;
    writer.field(lists);
    for (uint32_t i = 2; i < table->list_count; ++i) {
        if (table->lists[i]->kind == kind)
            write_fav_list(writer, table->lists[i]);
    }
}

}  // namespace

uint8_t *svl_build_table(svl_table *table, size_t *length)
{
    if (!table || !length || table->list_count < 2)
        return nullptr;
    if (!fav_group_fits(table, SVL_KIND_TV_FAV) || !fav_group_fits(table, SVL_KIND_RADIO_FAV) ||
        !stations_match_layout(table))
        return nullptr;
    size_t size = image_size(table);
    uint8_t *image = static_cast<uint8_t *>(calloc(size, 1));
    if (!image)
        return nullptr;
    ImageWriter writer(image, size);
    writer.header(table->version);
    write_base_list(writer, table->lists[0], SVL_KIND_TV);
    write_base_list(writer, table->lists[1], SVL_KIND_RADIO);
    if (is_v50(table->version)) {
        write_fav_group(writer, table, SVL_KIND_TV_FAV);
        write_fav_group(writer, table, SVL_KIND_RADIO_FAV);
    }
    if (!writer.ok()) {
        free(image);
        return nullptr;
    }
    *length = writer.position();
    return image;
}

void svl_free_image(uint8_t *image)
{
    free(image);
}
