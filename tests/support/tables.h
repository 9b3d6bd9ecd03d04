// Station tables for tests: tables freed on destruction, their images,
// images written byte by byte, and tables made station by station.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "svl/svl.h"

// A table freed with its stations when the test ends.
struct OwnedTable {
    svl_table table{};
    OwnedTable() = default;
    OwnedTable(const OwnedTable &) = delete;
    OwnedTable &operator=(const OwnedTable &) = delete;
    ~OwnedTable();
    svl_table *operator->() { return &table; }
    svl_list *list(uint32_t index) const { return table.lists[index]; }
};

// The table's image with the uids numbered from first_uid, as a save at
// that point would write it; empty when the table cannot be built. Two
// tables with the same content give the same image.
std::string image_of(svl_table *table, uint16_t first_uid = 1);

// Little-endian image bytes written by hand, independent of the library.
class ImageWriter {
public:
    ImageWriter &u8(uint32_t value) { return text(std::string(1, static_cast<char>(value))); }
    ImageWriter &u16(uint32_t value) { return u8(value).u8(value >> 8); }
    ImageWriter &u32(uint32_t value) { return u16(value).u16(value >> 16); }
    ImageWriter &text(const std::string &text);
    ImageWriter &zeros(size_t count) { return text(std::string(count, '\0')); }
    // A station record of the layout (40 or 50) whose fields are all zero
    // but the type, the name and the uid.
    ImageWriter &station(uint16_t layout, uint8_t type, const std::string &name, uint16_t uid = 0);
    // A favorite list record: the leading 0 entry, then the uids.
    ImageWriter &favorite(uint8_t attr, const std::string &name, const std::vector<uint16_t> &uids);
    const std::string &bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// A new station of the version and type, named unless name is empty.
svl_station *make_station(uint16_t version, uint8_t type, const char *name);

// Gives the empty table its version and two base lists holding the stations.
void make_table(svl_table *table, uint16_t version, const std::vector<svl_station *> &tv,
                const std::vector<svl_station *> &radio);

// Appends a favorite list of the kind holding the stations.
svl_list *add_favorite(svl_table *table, uint32_t kind, const char *name,
                       const std::vector<svl_station *> &stations);

// The entries of a list.
std::vector<svl_station *> entries(const svl_list *list);
