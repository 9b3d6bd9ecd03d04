// Library internals that tests reach but callers do not need.
#pragma once

#include <cstddef>
#include <cstdint>

// The program-wide uid counter: the value the next station written with
// version-50 fields receives. It starts at 1 and wraps from 65535 to 0.
uint16_t svl_peek_next_uid();
void svl_set_next_uid(uint16_t uid);

struct svl_list;
struct svl_station;

// Sets the station's origin name to length bytes, which may hold NUL bytes
// (a name copied as it is); no bytes clear it. 0, or 1 when it is longer
// than a length byte counts or memory runs out (the station stays).
int svl_set_origin_name_bytes(svl_station *station, const char *bytes, size_t length);

// Whether two station texts are the same: they are length-counted and may
// hold NUL bytes of their own; a null text is an empty one.
bool svl_same_text(const char *a, size_t a_length, const char *b, size_t b_length);

// Gives memory back once a list has shrunk to a quarter of its array, and
// releases the array of an empty list so that it is null.
void svl_release_spare_room(svl_list *list);

// Folds ASCII letters to lower case and leaves every other byte alone,
// whatever the C locale says.
inline int svl_ascii_lower(char c)
{
    unsigned char byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
}
