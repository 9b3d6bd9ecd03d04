// Sorting a station list by one of the table view's columns.
#include <algorithm>

#include "svl_internal.h"
#include "svl_ops.h"

static int compare_names(const char *a, const char *b)
{
    if (!a || !b)
        return 0;
    for (;; ++a, ++b) {
        int difference = svl_ascii_lower(*a) - svl_ascii_lower(*b);
        if (difference != 0 || !*a)
            return difference;
    }
}

// Tuning frequency as a plain number: MHz for analogue, kHz for digital
// stations, compared with each other as they are.
static double tuning_frequency(const svl_station *station)
{
    return svl_station_is_analog(station) ? station->analog_frequency * 0.0625 : double(station->frequency);
}

static int compare_frequencies(const svl_station *a, const svl_station *b)
{
    long long difference = static_cast<long long>(tuning_frequency(a) - tuning_frequency(b));
    return difference < 0 ? -1 : difference > 0 ? 1 : 0;
}

// The integer field a key compares, widened so that the difference is exact.
static long long key_value(const svl_station *s, int key)
{
    switch (key) {
    case 0: return s->uid;
    case 2: return s->NetworkType;
    case 3: return s->epg;
    case 4: return s->encrypted;
    case 5: return s->HiDef;
    case 7: return s->cni;
    case 9: return s->audio_pid;
    case 10: return s->video_pid;
    case 11: return s->pcr_pid;
    case 12: return s->teletext_pid;
    case 13: return s->service_id;
    case 14: return s->transport_stream_id;
    case 15: return s->original_network_id;
    case 16: return s->symbol_rate;
    case 17: return s->Modulation;
    case 18: return s->Constellation;
    case 19: return s->Satellite;
    case 20: return s->Polarisation;
    case 21: return s->CodeRateHP;
    case 22: return s->GuardIntervall;
    case 23: return s->TransMode;
    case 24: return s->AudioType;
    default: return 0;
    }
}

static bool is_sort_key(int key)
{
    return key >= 0 && key < SVL_SORT_KEY_COUNT && key != 6;
}

int svl_compare_stations(const svl_station *a, const svl_station *b, int key)
{
    if (key == SVL_SORT_NAME)
        return compare_names(a->name, b->name);
    if (key == SVL_SORT_FREQUENCY)
        return compare_frequencies(a, b);
    long long difference = key_value(a, key) - key_value(b, key);
    return difference < 0 ? -1 : difference > 0 ? 1 : 0;
}

void svl_sort_list(svl_list *list, int key, int descending)
{
    if (!list || list->count < 2 || !is_sort_key(key))
        return;
    // Names without text and frequencies less than 1 apart compare equal to
    // their neighbours, so the order is not a strict weak ordering. A merge
    // sort stays within the array whatever the comparisons say.
    std::stable_sort(list->stations, list->stations + list->count,
                     [key, descending](const svl_station *a, const svl_station *b) {
                         return descending ? svl_compare_stations(b, a, key) < 0
                                           : svl_compare_stations(a, b, key) < 0;
                     });
}
