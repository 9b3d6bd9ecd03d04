// Matching stations by ids and names in linear time.
#include <cstdlib>
#include <cstring>

#include "svl_match.h"

namespace {

// ---- names ----

bool is_blank(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The lower-case letter of a Latin, Greek or Cyrillic capital, or the code
// itself. Every result is encoded in no more bytes than its code.
uint32_t fold_code(uint32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 0x20;
    if (c < 0xC0)
        return c;
    if (c <= 0xDE)
        return c == 0xD7 ? c : c + 0x20;
    if (c == 0x130)
        return 'i';
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) ? c + 1 : c;
    if (c == 0x178)
        return 0xFF;
    if (c == 0x386)
        return 0x3AC;
    if (c >= 0x388 && c <= 0x38A)
        return c + 0x25;
    if (c == 0x38C || c == 0x38E || c == 0x38F)
        return c + (c == 0x38C ? 0x40 : 0x3F);
    if ((c >= 0x391 && c <= 0x3A9 && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c == 0x3C2)
        return 0x3C3;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    return c;
}

// Decodes one UTF-8 sequence of at most four bytes; 0 bytes for an invalid one.
size_t decode_utf8(const unsigned char *s, size_t left, uint32_t *code)
{
    if (s[0] < 0x80) {
        *code = s[0];
        return 1;
    }
    size_t size = s[0] >= 0xF0 ? 4 : s[0] >= 0xE0 ? 3 : s[0] >= 0xC2 ? 2 : 0;
    if (size == 0 || size > left || s[0] > 0xF4)
        return 0;
    uint32_t value = s[0] & (0x7F >> size);
    for (size_t i = 1; i < size; ++i) {
        if ((s[i] & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (s[i] & 0x3F);
    }
    static const uint32_t SMALLEST[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < SMALLEST[size] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *code = value;
    return size;
}

size_t encode_utf8(uint32_t code, char *out)
{
    if (code < 0x80) {
        out[0] = char(code);
        return 1;
    }
    if (code < 0x800) {
        out[0] = char(0xC0 | (code >> 6));
        out[1] = char(0x80 | (code & 0x3F));
        return 2;
    }
    if (code < 0x10000) {
        out[0] = char(0xE0 | (code >> 12));
        out[1] = char(0x80 | ((code >> 6) & 0x3F));
        out[2] = char(0x80 | (code & 0x3F));
        return 3;
    }
    out[0] = char(0xF0 | (code >> 18));
    out[1] = char(0x80 | ((code >> 12) & 0x3F));
    out[2] = char(0x80 | ((code >> 6) & 0x3F));
    out[3] = char(0x80 | (code & 0x3F));
    return 4;
}

// ---- keys and the index over them ----

// A key as compared: a number (ids, or a frequency) and a folded name.
struct Key {
    uint64_t number;
    const char *text;
    uint32_t length;
    uint64_t hash;
};

uint64_t mix(uint64_t h)
{
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return h;
}

Key make_key(uint64_t number, const char *text, uint32_t length)
{
    uint64_t h = 0xCBF29CE484222325ull ^ mix(number);
    for (uint32_t i = 0; i < length; ++i)
        h = (h ^ static_cast<unsigned char>(text[i])) * 0x100000001B3ull;
    return Key{number, text, length, mix(h)};
}

bool same_key(const Key &a, const Key &b)
{
    return a.hash == b.hash && a.number == b.number && a.length == b.length &&
           (a.length == 0 || memcmp(a.text, b.text, a.length) == 0);
}

uint64_t ids_number(const svl_station_key &key)
{
    return (uint64_t(key.original_network_id) << 32) | (uint32_t(key.transport_stream_id) << 16) | key.service_id;
}

// An open-addressing hash index from keys to chains of the items that share
// a key, each chain in the order the items were added.
class Index {
public:
    Index() = default;
    Index(const Index &) = delete;
    Index &operator=(const Index &) = delete;
    ~Index()
    {
        free(slots_);
        free(next_);
        free(last_);
    }

    bool reserve(uint32_t items)
    {
        capacity_ = 16;
        while (capacity_ < uint64_t(items) * 2)
            capacity_ *= 2;
        slots_ = static_cast<Slot *>(malloc(capacity_ * sizeof(Slot)));
        next_ = static_cast<int32_t *>(malloc((size_t(items) + 1) * sizeof(int32_t)));
        last_ = static_cast<int32_t *>(malloc(capacity_ * sizeof(int32_t)));
        if (!slots_ || !next_ || !last_)
            return false;
        for (size_t i = 0; i < capacity_; ++i)
            slots_[i] = Slot{-1, nullptr};
        return true;
    }

    // Adds item at the end of its key's chain; false when the key was there.
    bool add(uint32_t item, const Key *key)
    {
        size_t slot = find(*key);
        next_[item] = -1;
        if (slots_[slot].key) {
            if (slots_[slot].head < 0)
                slots_[slot].head = int32_t(item);
            else
                next_[last_[slot]] = int32_t(item);
            last_[slot] = int32_t(item);
            return false;
        }
        slots_[slot] = Slot{int32_t(item), key};
        last_[slot] = int32_t(item);
        return true;
    }

    // Takes the first item of the key's chain out: its number, or -1.
    int32_t take(const Key &key)
    {
        Slot &slot = slots_[find(key)];
        int32_t item = slot.key ? slot.head : -1;
        if (item >= 0)
            slot.head = next_[item];
        return item;
    }

private:
    struct Slot {
        int32_t head;    // first item still in the chain, or -1
        const Key *key;  // null while the slot is free
    };

    size_t find(const Key &key) const
    {
        size_t slot = key.hash & (capacity_ - 1);
        while (slots_[slot].key && !same_key(*slots_[slot].key, key))
            slot = (slot + 1) & (capacity_ - 1);
        return slot;
    }

    size_t capacity_ = 0;
    Slot *slots_ = nullptr;
    int32_t *next_ = nullptr;
    int32_t *last_ = nullptr;
};

// The folded names of an array of keys, in one block.
class FoldedNames {
public:
    FoldedNames() = default;
    FoldedNames(const FoldedNames &) = delete;
    FoldedNames &operator=(const FoldedNames &) = delete;
    ~FoldedNames()
    {
        free(text_);
        free(lengths_);
        free(starts_);
    }

    bool fold(const svl_station_key *keys, uint32_t count)
    {
        size_t total = 1;
        for (uint32_t i = 0; i < count; ++i)
            total += keys[i].name ? strlen(keys[i].name) : 0;
        text_ = static_cast<char *>(malloc(total));
        lengths_ = static_cast<uint32_t *>(malloc((size_t(count) + 1) * sizeof(uint32_t)));
        starts_ = static_cast<size_t *>(malloc((size_t(count) + 1) * sizeof(size_t)));
        if (!text_ || !lengths_ || !starts_)
            return false;
        size_t used = 0;
        for (uint32_t i = 0; i < count; ++i) {
            const char *name = keys[i].name ? keys[i].name : "";
            starts_[i] = used;
            lengths_[i] = uint32_t(svl_fold_name(name, strlen(name), text_ + used));
            used += lengths_[i];
        }
        return true;
    }

    const char *text(uint32_t i) const { return text_ + starts_[i]; }
    uint32_t length(uint32_t i) const { return lengths_[i]; }

private:
    char *text_ = nullptr;
    uint32_t *lengths_ = nullptr;
    size_t *starts_ = nullptr;
};

template <typename T>
T *new_array(uint32_t count)
{
    return static_cast<T *>(malloc((size_t(count) + 1) * sizeof(T)));
}

bool refused(const void *array, uint32_t count)
{
    return !array && count > 0;
}

// Pairs stations with reference entries of the same ids.
bool match_ids(const svl_station_key *stations, uint32_t station_count, const svl_station_key *reference,
               uint32_t reference_count, int32_t *entry, uint8_t *how)
{
    Index index;
    Key *keys = new_array<Key>(reference_count);
    bool ok = keys && index.reserve(reference_count);
    for (uint32_t i = 0; ok && i < reference_count; ++i) {
        if (reference[i].has_ids) {
            keys[i] = make_key(ids_number(reference[i]), nullptr, 0);
            index.add(i, &keys[i]);
        }
    }
    for (uint32_t i = 0; ok && i < station_count; ++i) {
        entry[i] = stations[i].has_ids ? index.take(make_key(ids_number(stations[i]), nullptr, 0)) : -1;
        how[i] = entry[i] >= 0 ? SVL_MATCHED_BY_ID : SVL_NOT_MATCHED;
    }
    free(keys);
    return ok;
}

// Pairs the stations still alone with free reference entries of the same name.
bool match_names(const svl_station_key *stations, uint32_t station_count, const svl_station_key *reference,
                 uint32_t reference_count, int32_t *entry, uint8_t *how)
{
    FoldedNames station_names, reference_names;
    Index index;
    Key *keys = new_array<Key>(reference_count);
    uint8_t *taken = static_cast<uint8_t *>(calloc(size_t(reference_count) + 1, 1));
    bool ok = keys && taken && index.reserve(reference_count) && station_names.fold(stations, station_count) &&
              reference_names.fold(reference, reference_count);
    for (uint32_t i = 0; ok && i < station_count; ++i)
        if (entry[i] >= 0)
            taken[entry[i]] = 1;
    for (uint32_t i = 0; ok && i < reference_count; ++i) {
        if (!taken[i] && reference_names.length(i) > 0) {
            keys[i] = make_key(0, reference_names.text(i), reference_names.length(i));
            index.add(i, &keys[i]);
        }
    }
    for (uint32_t i = 0; ok && i < station_count; ++i) {
        if (entry[i] < 0 && station_names.length(i) > 0) {
            entry[i] = index.take(make_key(0, station_names.text(i), station_names.length(i)));
            how[i] = entry[i] >= 0 ? SVL_MATCHED_BY_NAME : SVL_NOT_MATCHED;
        }
    }
    free(keys);
    free(taken);
    return ok;
}

}  // namespace

size_t svl_fold_name(const char *name, size_t length, char *out)
{
    const unsigned char *s = reinterpret_cast<const unsigned char *>(name);
    while (length > 0 && is_blank(s[0])) {
        ++s;
        --length;
    }
    while (length > 0 && is_blank(s[length - 1]))
        --length;
    size_t written = 0;
    for (size_t i = 0; i < length;) {
        uint32_t code;
        size_t size = decode_utf8(s + i, length - i, &code);
        if (size == 0) {
            out[written++] = char(s[i++]);
            continue;
        }
        written += encode_utf8(fold_code(code), out + written);
        i += size;
    }
    return written;
}

svl_station_key svl_key_of_station(const svl_station *station, const char *decoded_name)
{
    svl_station_key key{};
    key.name = decoded_name;
    bool analogue = svl_station_is_analog(station);
    key.frequency = analogue ? station->analog_frequency : station->frequency;
    key.original_network_id = station->original_network_id;
    key.transport_stream_id = station->transport_stream_id;
    key.service_id = station->service_id;
    key.has_ids = !analogue && (key.original_network_id || key.transport_stream_id || key.service_id);
    return key;
}

svl_station_key svl_key_of_name(const char *name)
{
    svl_station_key key{};
    key.name = name;
    return key;
}

int svl_match_stations(const svl_station_key *stations, uint32_t station_count, const svl_station_key *reference,
                       uint32_t reference_count, int32_t *entry, uint8_t *how)
{
    if (refused(stations, station_count) || refused(reference, reference_count) || refused(entry, station_count) ||
        refused(how, station_count))
        return -1;
    if (!match_ids(stations, station_count, reference, reference_count, entry, how) ||
        !match_names(stations, station_count, reference, reference_count, entry, how))
        return -1;
    return 0;
}

int svl_reference_order(const svl_station_key *stations, uint32_t station_count, const svl_station_key *reference,
                        uint32_t reference_count, uint32_t *order, svl_match_counts *counts)
{
    if (refused(order, station_count) || !counts)
        return -1;
    int32_t *entry = new_array<int32_t>(station_count);
    uint8_t *how = new_array<uint8_t>(station_count);
    int32_t *station_of_entry = new_array<int32_t>(reference_count);
    int result = -1;
    if (entry && how && station_of_entry &&
        svl_match_stations(stations, station_count, reference, reference_count, entry, how) == 0) {
        *counts = svl_match_counts{0, 0, 0};
        for (uint32_t i = 0; i < reference_count; ++i)
            station_of_entry[i] = -1;
        for (uint32_t i = 0; i < station_count; ++i) {
            if (entry[i] >= 0)
                station_of_entry[entry[i]] = int32_t(i);
            counts->by_id += how[i] == SVL_MATCHED_BY_ID;
            counts->by_name += how[i] == SVL_MATCHED_BY_NAME;
        }
        counts->unmatched = station_count - counts->by_id - counts->by_name;
        uint32_t position = 0;
        for (uint32_t i = 0; i < reference_count; ++i)
            if (station_of_entry[i] >= 0)
                order[position++] = uint32_t(station_of_entry[i]);
        for (uint32_t i = 0; i < station_count; ++i)
            if (entry[i] < 0)
                order[position++] = i;
        result = 0;
    }
    free(entry);
    free(how);
    free(station_of_entry);
    return result;
}

int svl_find_duplicates(const svl_station_key *stations, uint32_t count, uint8_t *duplicate)
{
    if (refused(stations, count) || refused(duplicate, count))
        return -1;
    FoldedNames names;
    Index index;
    Key *keys = new_array<Key>(count);
    int found = -1;
    if (keys && index.reserve(count) && names.fold(stations, count)) {
        found = 0;
        // Stations with ids and those without never share a key: the name
        // part of an id key is empty and the number has a bit of its own.
        for (uint32_t i = 0; i < count; ++i) {
            if (stations[i].has_ids)
                keys[i] = make_key(ids_number(stations[i]), nullptr, 0);
            else
                keys[i] = make_key((uint64_t(1) << 48) | stations[i].frequency, names.text(i), names.length(i));
            duplicate[i] = !index.add(i, &keys[i]);
            found += duplicate[i];
        }
    }
    free(keys);
    return found;
}
