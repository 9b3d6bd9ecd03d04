// Conversion of a version-40 table to version 50.
#include <cstdlib>
#include <cstring>

#include "svl_internal.h"
#include "svl_ops.h"

int svl_convert_station(svl_station *station, uint16_t uid)
{
    if (!station || svl_set_origin_name_bytes(station, station->name, station->name_len) != 0)
        return -1;
    station->version = SVL_VERSION_50;
    station->uid = uid;
    station->hbbtv = 0;
    station->aux_bytes[1] = 1;
    station->aux_bytes[2] = 0;
    station->aux_bytes[3] = 2;
    station->aux_bytes[4] = 0;
    station->aux_word2 = 0xFFFF;
    return 0;
}

// The favorite list of a base list that a conversion adds: the same
// stations under the base list's name made unique.
static svl_list *converted_favorite(const svl_table *table, uint32_t base_index)
{
    svl_list *copy = svl_copy_list(table->lists[base_index]);
    if (!copy)
        return nullptr;
    copy->kind = svl_favorite_kind_of(copy->kind);
    if (svl_make_list_name_unique(table, copy) != 0) {
        svl_free_list(copy, 0);
        return nullptr;
    }
    return copy;
}

static void undo_origin_names(svl_station **done, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        svl_set_station_origin_name(done[i], nullptr);
}

// Every origin name is made before any station changes, so that a
// conversion that runs out of memory leaves the stations as they were.
static int convert_stations(svl_table *table)
{
    const svl_list *tv = table->lists[SVL_TV_LIST_INDEX];
    const svl_list *radio = table->lists[SVL_RADIO_LIST_INDEX];
    size_t total = size_t(tv->count) + radio->count;
    svl_station **stations = static_cast<svl_station **>(malloc((total + 1) * sizeof(svl_station *)));
    if (!stations)
        return -1;
    if (tv->count)
        memcpy(stations, tv->stations, tv->count * sizeof(svl_station *));
    if (radio->count)
        memcpy(stations + tv->count, radio->stations, radio->count * sizeof(svl_station *));
    for (size_t i = 0; i < total; ++i) {
        if (svl_set_origin_name_bytes(stations[i], stations[i]->name, stations[i]->name_len) != 0) {
            undo_origin_names(stations, i);
            free(stations);
            return -1;
        }
    }
    for (size_t i = 0; i < total; ++i)
        svl_convert_station(stations[i], uint16_t(i + 1));  // the origin name is already there
    free(stations);
    return 0;
}

int svl_convert_table(svl_table *table)
{
    if (!table || table->version != SVL_VERSION_40 || table->list_count < SVL_FIRST_FAV_INDEX)
        return -1;
    svl_list *tv = converted_favorite(table, SVL_TV_LIST_INDEX);
    svl_list *radio = tv ? converted_favorite(table, SVL_RADIO_LIST_INDEX) : nullptr;
    uint32_t list_count = table->list_count;
    bool converted = radio && svl_append_list(table, tv) == 0 && svl_append_list(table, radio) == 0 &&
                     convert_stations(table) == 0;
    if (!converted) {
        // The lists come out again before they are released, whichever got in.
        while (table->list_count > list_count)
            svl_remove_list_at(table, table->list_count - 1);
        svl_free_list(tv, 0);
        svl_free_list(radio, 0);
        return -1;
    }
    table->version = SVL_VERSION_50;
    return 0;
}
