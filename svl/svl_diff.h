// What differs between two station records, field by field.
#pragma once

#include <cstdint>

#include "svl.h"

enum { SVL_FIELD_COUNT = 66 };

// Writes the names of the fields in which the two stations differ (the
// names of svl_station's members, in declared order) to names, at most max
// of them, and returns how many differ. Names and origin names compare by
// their bytes; the uid is left out, since every save numbers the stations
// anew. 0 for a null station.
uint32_t svl_station_differences(const svl_station *a, const svl_station *b, const char **names, uint32_t max);
