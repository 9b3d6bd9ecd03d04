// Reads arbitrary text as a CSV reference of names, then orders the names
// read, as stations, like that reference and looks for duplicates among
// them: the path a user's spreadsheet export takes through the library.
#include "svl/svl_match.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    svl_name_column column = {};
    if (svl_read_csv_names(reinterpret_cast<const char *>(data), size, &column) != 0)
        return 0;
    std::vector<svl_station_key> keys;
    for (uint32_t i = 0; i < column.count; ++i)
        keys.push_back(svl_key_of_name(column.names[i]));
    std::vector<svl_station_key> stations(keys.rbegin(), keys.rend());
    std::vector<uint32_t> order(stations.size() + 1);
    std::vector<uint8_t> duplicate(stations.size() + 1);
    svl_match_counts counts = {};
    svl_reference_order(stations.data(), uint32_t(stations.size()), keys.data(), uint32_t(keys.size()), order.data(),
                        &counts);
    svl_find_duplicates(stations.data(), uint32_t(stations.size()), duplicate.data());
    svl_free_name_column(&column);
    return 0;
}
