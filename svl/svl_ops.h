// Operations on stations, lists and tables: the only code that grows,
// shrinks or reorders the pointer arrays. Null arguments and indexes out of
// range are refused and change nothing; a failed allocation changes nothing.
#pragma once

#include "svl.h"

// ---- stations ----

// New zero-initialised record of the given version; null when memory runs out.
// Released with svl_free_station.
svl_station *svl_new_station(uint16_t version);

// Releases a record with its name and origin name. Null is ignored.
void svl_free_station(svl_station *station);

// New record holding a byte-for-byte copy of every field. Its name and
// origin_name point at the original's texts: release the copy with
// svl_free_station_copy, never svl_free_station. Null on failure.
svl_station *svl_copy_station(const svl_station *station);
void svl_free_station_copy(svl_station *copy);

// New record holding every field of station and copies of its own of the
// name and origin name: release it with svl_free_station. Null for a null
// station or no memory.
svl_station *svl_clone_station(const svl_station *station);

// Gives station every field of source, with copies of its own of source's
// name and origin name; its old texts are released. The record keeps its
// address, so every list pointing at it sees the new values. 0; -1 for a
// null argument or no memory (station unchanged).
int svl_assign_station(svl_station *station, const svl_station *source);

// 1 when both records hold the same value in every field and the same bytes
// of name and origin name, wherever those texts are kept; else 0. Two null
// records are equal, a null and a record are not.
int svl_stations_equal(const svl_station *a, const svl_station *b);

// Replaces name by a copy of the text and sets name_len (texts longer than
// 255 bytes are refused). 0 success; 1 null station, null or empty name,
// too long, or no memory (name unchanged).
int svl_set_station_name(svl_station *station, const char *name);

// Same rules for origin_name and origin_name_len; an empty or null text
// clears the origin name and returns 0.
int svl_set_station_origin_name(svl_station *station, const char *name);

// ---- lists ----

// New empty list with a copy of name; null for a null name or no memory.
svl_list *svl_new_list(const char *name, uint32_t kind, uint8_t attr);

// New list with a copy of the name, the same kind and attr and the same
// station pointers (shared, not copied). Null on failure.
svl_list *svl_copy_list(const svl_list *list);

// Releases the list; with with_stations set, first every record it holds
// (last to first) with its strings. Null is ignored.
void svl_free_list(svl_list *list, int with_stations);

// Makes room for at least capacity entries so that appends up to it cannot
// fail. 0, or -1 for a null list or no memory (list unchanged).
int svl_reserve_stations(svl_list *list, uint32_t capacity);

// 0, or -1 for a null list or no memory.
int svl_append_station(svl_list *list, svl_station *station);

// Puts station at index, moving later entries up; index == count appends.
// -1 for a null list or station, index > count, or no memory.
int svl_insert_station(svl_list *list, svl_station *station, uint32_t index);

// Removes and returns the pointer at index, moving later entries down. Null
// (nothing removed) for a null list, index >= count or a null entry. The
// record is not released: the caller keeps it.
svl_station *svl_remove_station_at(svl_list *list, uint32_t index);

// Removes the entries at rows (n positions, strictly ascending, each below
// count) in one pass, each later entry moving once. 0; -1 for a null list,
// null rows with n > 0, or rows out of order or range (nothing removed).
// The records are not released.
int svl_remove_stations_at(svl_list *list, const uint32_t *rows, uint32_t n);

// Inserts the n stations so that stations[i] stands at rows[i] afterwards
// (rows strictly ascending, each below count + n), in one pass: the inverse
// of svl_remove_stations_at. 0; -1 for a null list, null arrays with n > 0,
// a null station, rows out of order or range, or no memory (list unchanged).
int svl_insert_stations_at(svl_list *list, const uint32_t *rows, svl_station *const *stations, uint32_t n);

// Takes the stations at rows (row_count of them, strictly ascending, each
// below count) out of the list and puts them together, in their order,
// where the entry at target stood before (target == count: at the end); the
// first of them lands at target minus the number of rows below target. 0,
// or -1 for a null list or rows, no rows, rows out of order or range,
// target > count, or no memory (list unchanged).
int svl_move_stations(svl_list *list, const uint32_t *rows, uint32_t row_count, uint32_t target);

// Index of the last position holding station, or -1 (absent or null).
int svl_index_of_station(const svl_list *list, const svl_station *station);

// Puts the list's entries in a new order: order[k] is the index of the
// entry that comes to position k. 0, or -1 for a null list, an order that
// is not a permutation of the indexes, or no memory (list unchanged).
int svl_reorder_list(svl_list *list, const uint32_t *order);

// Removes every entry i whose marked[i] is not 0, keeping the order of the
// others; the records are not released. The number removed; 0 for a null
// list or marks.
uint32_t svl_remove_marked_stations(svl_list *list, const uint8_t *marked);

// Sort keys are the table view's column numbers; keys 6 and 25 and above
// leave the list unchanged. The sort is not stable.
enum {
    SVL_SORT_UID = 0,
    SVL_SORT_NAME = 1,
    SVL_SORT_FREQUENCY = 8,
    SVL_SORT_KEY_COUNT = 25,
};

// Sorts the list's station pointers in place by key, ascending, or
// descending when descending is not 0. The station records are not
// touched; a null list is ignored.
void svl_sort_list(svl_list *list, int key, int descending);

// Compares two stations under a sort key the way svl_sort_list orders them:
// negative, 0 or positive. Frequencies (key 8) less than 1 apart and names
// of which one is missing (key 1) compare equal.
int svl_compare_stations(const svl_station *a, const svl_station *b, int key);

// Finds stations whose name contains pattern, ignoring ASCII case. On
// success *indexes receives a new array (one slot per station of the list,
// released with svl_free_indexes) holding the matching indexes in
// descending order, and the number of matches is returned. -1 for a null
// list, a null or empty pattern, an empty list or no memory.
int svl_find_stations_by_name(const svl_list *list, const char *pattern, uint32_t **indexes);
void svl_free_indexes(uint32_t *indexes);

// Replaces the list's name by a copy. 0 success; 1 for a null list, a null
// or empty name, or no memory (name unchanged).
int svl_set_list_name(svl_list *list, const char *name);

// ---- tables ----

// Releases every list (last to first) and the lists array; list_count
// becomes 0. Base lists release their records only with with_stations set;
// favorite lists never do. The svl_table itself is held by value and stays.
void svl_free_table(svl_table *table, int with_stations);

// Adds the list at the end. 0, or -1 for a null table or list or no memory.
int svl_append_list(svl_table *table, svl_list *list);

// Puts the list at index (later lists move up); index >= list_count appends.
// 0, or -1 for a null table or list or no memory.
int svl_insert_list(svl_table *table, uint32_t index, svl_list *list);

// Removes and returns the list at index without releasing it. Null for the
// base lists (index 0 and 1) or an index >= list_count.
svl_list *svl_remove_list_at(svl_table *table, uint32_t index);

// 1 when a list other than except has exactly this name, else 0.
int svl_list_name_exists(const svl_table *table, const svl_list *except, const char *name);

// The number of lists of the table with this kind; 0 for a null table.
uint32_t svl_count_lists_of_kind(const svl_table *table, uint32_t kind);

// Where the lists of a favorite kind begin in the table: right after the
// base lists for TV favorites, after the TV favorites for radio favorites.
// -1 for a null table or a kind that is no favorite kind.
int svl_first_favorite_index(const svl_table *table, uint32_t favorite_kind);

// Gives the list a name no other list of the table has, by appending "1"
// and counting that digit up to "9". 0 when the name is unique (a unique
// name stays as it is); 1 for a null table or list, when nine digits do not
// help, or when memory runs out; the name is unchanged then.
int svl_make_list_name_unique(const svl_table *table, svl_list *list);

// Orders the lists by kind, keeping the order of lists of the same kind.
void svl_sort_lists(svl_table *table);

// -1 when a and b together hold more than 8 TV or more than 8 radio
// favorite lists, else 0.
int svl_check_fav_limit(const svl_table *a, const svl_table *b);

// Merges source into dest: source's base-list stations are appended to
// dest's base lists (the records now belong to dest; release source with
// svl_free_table(source, 0)), and copies of source's favorite lists with
// attr 4 are appended while dest holds fewer than 8 of their kind.
// Fails (-1) on different versions, too many favorite lists (unless
// skip_limit_check), fewer than two lists, an unknown list kind, or no
// memory; a failed merge changes neither table.
int svl_append_table(svl_table *dest, const svl_table *source, int skip_limit_check);

// Gives a version-40 station the fields of version 50: the version, the
// uid, hbbtv 0, aux_bytes 1 to 4 set to 1, 0, 2, 0, aux_word2 0xFFFF, and
// an origin name copied from the name. 0, or -1 for a null station or when
// memory for the origin name runs out (the station is unchanged then).
int svl_convert_station(svl_station *station, uint16_t uid);

// Converts a version-40 table to version 50, as a TV set of the newer kind
// expects it: every station is converted with uids counted from 1 through
// the TV list and on through the radio list, and each base list gets a
// favorite list holding its stations, named after it with a digit made
// unique ("ALL_TV1"). 0; -1 for a null table, a table that is not version
// 40 or has no base lists, or when memory runs out (the table is unchanged).
int svl_convert_table(svl_table *table);

// Builds a table of the given version holding the two empty base lists.
// 0, or -1 when memory runs out (table left empty).
int svl_init_table(svl_table *table, uint16_t version);
