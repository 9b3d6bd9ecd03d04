// The binary station table image: the content of ".svl40"/".svl50" files
// and the payload of the TV transfer. Little-endian, no padding, no checksum.
#pragma once

#include "svl.h"

// Smallest station record of each layout (a record without names).
enum {
    SVL_RECORD_MIN_40 = 99,
    SVL_RECORD_MIN_50 = 119,
};

// Reads an image into target, which is emptied first (its old content is
// not released: pass an empty table). 0 success; -1 invalid or truncated
// image or no memory, with target left empty. Favorite entries whose uid
// matches no station are reported on standard output and skipped.
int svl_parse_table(svl_table *target, const uint8_t *image, size_t length);

// Reads one favorite group at *offset: its list count byte and the list
// records, resolving entries by uid against base (the last station with a
// uid wins). Appends the lists, of the given kind, to table and advances
// *offset. 0, or -1 for a truncated group or no memory.
int svl_parse_fav_list(svl_table *table, const uint8_t *image, size_t length, size_t *offset,
                       const svl_list *base, uint32_t kind);

// Builds the image of a table: a new heap block released with
// svl_free_image, its length in *length. Every station of a version-50
// table receives a new uid from the program-wide counter. Null for a table
// with fewer than two lists, more than 255 favorite lists of one kind, a
// station whose version asks for the other record layout than the table's
// (4.0 below 50, 5.0 from 50 on), or no memory.
uint8_t *svl_build_table(svl_table *table, size_t *length);
void svl_free_image(uint8_t *image);

// Largest file svl_load_file reads: far above any real table (100,000
// stations take about 14 MiB), low enough never to exhaust memory.
enum : size_t { SVL_MAX_FILE_SIZE = size_t(512) << 20 };

// Reads a file into target (emptied first). 0 success; 1 the content is
// not a valid image; -1 the file cannot be opened or read, is no regular
// file, is larger than SVL_MAX_FILE_SIZE, or memory runs out.
int svl_load_file(svl_table *target, const char *path);

// Writes the table's image to path. The image goes to a temporary file in
// the same folder that replaces path only once every byte is on disk, so a
// failure leaves the previous file untouched. 0 success; -1 failure.
int svl_save_file(svl_table *table, const char *path);
