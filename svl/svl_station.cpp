// Station records: creation, release, snapshots and names.
#include <cstdlib>
#include <cstring>

#include "svl_internal.h"
#include "svl_ops.h"

const char SVL_TV_LIST_NAME[] = "ALL_TV";
const char SVL_RADIO_LIST_NAME[] = "ALL_Radio";

int svl_station_medium(const svl_station *station)
{
    switch (station->ProgramDataByte) {
    case 1: case 2: case 3: case 4: case 5: case 7: case 11:
        return SVL_MEDIUM_TV;
    case 6: case 8: case 9: case 10:
        return SVL_MEDIUM_RADIO;
    default:
        return SVL_MEDIUM_NONE;
    }
}

int svl_station_is_analog(const svl_station *station)
{
    return station->NetworkType == 0 || station->NetworkType == 7;
}

uint32_t svl_base_kind_of(uint32_t kind)
{
    if (kind == SVL_KIND_TV_FAV)
        return SVL_KIND_TV;
    if (kind == SVL_KIND_RADIO_FAV)
        return SVL_KIND_RADIO;
    return kind;
}

int svl_is_base_kind(uint32_t kind)
{
    return kind == SVL_KIND_TV || kind == SVL_KIND_RADIO;
}

int svl_is_favorite_kind(uint32_t kind)
{
    return kind == SVL_KIND_TV_FAV || kind == SVL_KIND_RADIO_FAV;
}

uint32_t svl_favorite_kind_of(uint32_t kind)
{
    switch (kind) {
    case SVL_KIND_TV: case SVL_KIND_TV_FAV:
        return SVL_KIND_TV_FAV;
    case SVL_KIND_RADIO: case SVL_KIND_RADIO_FAV:
        return SVL_KIND_RADIO_FAV;
    default:
        return 0;
    }
}

int svl_base_index_of(uint32_t kind)
{
    switch (svl_base_kind_of(kind)) {
    case SVL_KIND_TV:
        return 0;
    case SVL_KIND_RADIO:
        return 1;
    default:
        return -1;
    }
}

svl_station *svl_new_station(uint16_t version)
{
    svl_station *station = static_cast<svl_station *>(calloc(1, sizeof(svl_station)));
    if (station)
        station->version = version;
    return station;
}

void svl_free_station(svl_station *station)
{
    if (!station)
        return;
    free(station->name);
    free(station->origin_name);
    free(station);
}

svl_station *svl_copy_station(const svl_station *station)
{
    if (!station)
        return nullptr;
    svl_station *copy = static_cast<svl_station *>(malloc(sizeof(svl_station)));
    if (copy)
        memcpy(copy, station, sizeof(svl_station));
    return copy;
}

void svl_free_station_copy(svl_station *copy)
{
    free(copy);
}

// Copies the length bytes of a station text, NUL bytes inside it
// included, into a new buffer with a NUL after them; *copy stays null for
// a null text. False when memory runs out.
static bool copy_text(const char *text, size_t length, char **copy)
{
    *copy = nullptr;
    if (!text)
        return true;
    *copy = static_cast<char *>(malloc(length + 1));
    if (!*copy)
        return false;
    memcpy(*copy, text, length);
    (*copy)[length] = '\0';
    return true;
}

svl_station *svl_clone_station(const svl_station *station)
{
    if (!station)
        return nullptr;
    svl_station *clone = svl_new_station(station->version);
    if (clone && svl_assign_station(clone, station) != 0) {
        svl_free_station(clone);
        return nullptr;
    }
    return clone;
}

int svl_assign_station(svl_station *station, const svl_station *source)
{
    if (!station || !source)
        return -1;
    if (station == source)
        return 0;
    char *name;
    char *origin_name;
    if (!copy_text(source->name, source->name_len, &name))
        return -1;
    if (!copy_text(source->origin_name, source->origin_name_len, &origin_name)) {
        free(name);
        return -1;
    }
    free(station->name);
    free(station->origin_name);
    memcpy(station, source, sizeof(svl_station));
    station->name = name;
    station->origin_name = origin_name;
    return 0;
}

bool svl_same_text(const char *a, size_t a_length, const char *b, size_t b_length)
{
    if (!a)
        a_length = 0;
    if (!b)
        b_length = 0;
    return a_length == b_length && (a_length == 0 || memcmp(a, b, a_length) == 0);
}

int svl_stations_equal(const svl_station *a, const svl_station *b)
{
    if (!a || !b)
        return a == b;
#define SVL_SAME_FIELD(field) &&memcmp(&a->field, &b->field, sizeof a->field) == 0
    return svl_same_text(a->name, a->name_len, b->name, b->name_len)
        && svl_same_text(a->origin_name, a->origin_name_len, b->origin_name, b->origin_name_len)
        SVL_STATION_FIELDS(SVL_SAME_FIELD);
#undef SVL_SAME_FIELD
}

// Copies text into a new NUL-terminated buffer; null when it is longer than
// a length byte can count or memory runs out.
static char *copy_short_text(const char *text, size_t *length)
{
    *length = strlen(text);
    if (*length > 255)
        return nullptr;
    char *copy = static_cast<char *>(malloc(*length + 1));
    if (copy)
        memcpy(copy, text, *length + 1);
    return copy;
}

int svl_set_station_name(svl_station *station, const char *name)
{
    if (!station || !name || !*name)
        return 1;
    size_t length;
    char *copy = copy_short_text(name, &length);
    if (!copy)
        return 1;
    free(station->name);
    station->name = copy;
    station->name_len = static_cast<uint8_t>(length);
    return 0;
}

int svl_set_station_origin_name(svl_station *station, const char *name)
{
    if (!station)
        return 1;
    return svl_set_origin_name_bytes(station, name, name ? strlen(name) : 0);
}

int svl_set_origin_name_bytes(svl_station *station, const char *bytes, size_t length)
{
    if (length > 255)
        return 1;
    char *copy = nullptr;
    if (length > 0 && !copy_text(bytes, length, &copy))
        return 1;
    free(station->origin_name);
    station->origin_name = copy;
    station->origin_name_len = static_cast<uint8_t>(length);
    return 0;
}
