// Matching stations by what identifies them: the order of a reference list,
// the duplicates within a list, and the stations two tables share.
//
// Names come in as UTF-8 text that the caller decoded from the station's
// character set (the library knows no character sets). Names are compared
// ignoring surrounding blanks and the case of Latin, Greek and Cyrillic
// letters; an empty name never matches. Every routine here runs in time
// linear in its input (hash tables, no pairing of every station with every
// other). Null arrays with a count above 0 are refused with -1, as is a
// failed allocation; outputs are then unspecified.
#pragma once

#include <cstddef>
#include <cstdint>

#include "svl.h"

// What identifies a station when matching.
struct svl_station_key {
    const char *name;              // decoded UTF-8; null is the empty name
    uint32_t frequency;            // analog_frequency of an analogue station, else frequency
    uint16_t original_network_id;
    uint16_t transport_stream_id;
    uint16_t service_id;
    uint8_t has_ids;               // 1 for a digital station with any of the three ids set
};

// The key of a station: its ids and frequency, and the caller's decoding of
// its name (kept by the caller for as long as the key is used).
svl_station_key svl_key_of_station(const svl_station *station, const char *decoded_name);

// The key of a reference entry that is only a name.
svl_station_key svl_key_of_name(const char *name);

// How a station found its reference entry.
enum {
    SVL_NOT_MATCHED = 0,
    SVL_MATCHED_BY_ID = 1,
    SVL_MATCHED_BY_NAME = 2,
};

// Pairs stations with reference entries, each entry with at most one
// station: first every station with ids takes the first free entry with the
// same ids, in reference order; then every station still alone takes the
// first free entry with the same name. entry[i] receives the reference
// index of station i or -1, how[i] one of the SVL_*MATCHED* values. 0 or -1.
int svl_match_stations(const svl_station_key *stations, uint32_t station_count, const svl_station_key *reference,
                       uint32_t reference_count, int32_t *entry, uint8_t *how);

struct svl_match_counts {
    uint32_t by_id;
    uint32_t by_name;
    uint32_t unmatched;
};

// The order of a list after the reference: order[k] receives the index of
// the station that comes to position k, the matched stations first in the
// reference's order, then the others in their former order. counts gets
// how many matched by id, by name, and not at all. 0 or -1.
int svl_reference_order(const svl_station_key *stations, uint32_t station_count, const svl_station_key *reference,
                        uint32_t reference_count, uint32_t *order, svl_match_counts *counts);

// Marks every station that repeats an earlier one of the array: the same
// ids for a station with ids, else the same name and frequency. The first
// of each group stays unmarked. duplicate[i] receives 1 or 0. The number of
// duplicates, or -1.
int svl_find_duplicates(const svl_station_key *stations, uint32_t count, uint8_t *duplicate);

// The key of a name as compared: surrounding blanks dropped, letters folded
// to lower case. Writes at most length bytes (folding never lengthens a
// name) to out, which may be name itself, and returns how many.
size_t svl_fold_name(const char *name, size_t length, char *out);

// A column of names, as read from a CSV file. The names point into text.
struct svl_name_column {
    char *text;
    const char **names;
    uint32_t count;
};

// Reads the last column of every non-blank line of a CSV text: fields
// separated by commas, or by semicolons or tabs when the first line holds
// one of them outside quotes and no comma; a field in double quotes may
// hold separators, line ends and doubled quotes. A byte order mark is
// skipped; text that is not UTF-8 is read as Latin-1. The column is
// released with svl_free_name_column. 0, or -1 for null arguments, text
// over SVL_MAX_CSV_SIZE or no memory (column left empty).
enum : size_t { SVL_MAX_CSV_SIZE = size_t(64) << 20 };  // far beyond any real station list
int svl_read_csv_names(const char *bytes, size_t length, svl_name_column *column);
void svl_free_name_column(svl_name_column *column);
