// Library internals that tests reach but callers do not need.
#pragma once

#include <cstdint>

// The program-wide uid counter: the value the next station written with
// version-50 fields receives. It starts at 1 and wraps from 65535 to 0.
uint16_t svl_peek_next_uid();
void svl_set_next_uid(uint16_t uid);

// Folds ASCII letters to lower case and leaves every other byte alone,
// whatever the C locale says.
inline int svl_ascii_lower(char c)
{
    unsigned char byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
}
