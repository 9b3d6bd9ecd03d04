// Generator of realistic station tables, deterministic by seed. Tests,
// benchmarks and the demo table are made by it.
#pragma once

#include <cstdint>

#include "svl/svl.h"

struct svl_generate_options {
    uint32_t stations = 100;          // TV and radio stations together
    uint16_t version = 50;            // 40 or 50
    uint32_t favorites = 2;           // favorite lists per medium, 0..8 (version 50 only)
    uint32_t favorite_percent = 20;   // share of a medium's stations in each favorite list; 100 = all
    uint64_t seed = 1;
    // Every kind of station instead of a realistic mix, for tests of what
    // reads, writes or shows a table: ProgramDataByte 0 to 11 in turn,
    // names in every character set with the bytes each treats specially,
    // TV favorite lists named with bytes that text output must escape, and
    // every field of the record set in some station.
    bool every_kind = false;
};

// Fills table (which must be empty) with a generated table. In a version-50
// table every station has a distinct uid, numbered from 1 the way a save
// numbers them (TV list first), wrapping only beyond 65535 stations; in a
// version-40 table every version-50 field is zero and there are no favorite
// lists. A station without a medium (ProgramDataByte 0) goes to the TV
// list. 0, or -1 for bad options or no memory (table left empty).
int svl_generate_table(svl_table *table, const svl_generate_options &options);
