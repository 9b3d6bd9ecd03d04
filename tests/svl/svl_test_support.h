// Helpers shared by the station table tests: owned tables, hand-written
// images, stations with chosen fields, and captured standard output.
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

// An image built by the library, released when the test ends.
struct OwnedImage {
    uint8_t *data = nullptr;
    size_t length = 0;
    OwnedImage() = default;
    OwnedImage(const OwnedImage &) = delete;
    OwnedImage &operator=(const OwnedImage &) = delete;
    ~OwnedImage();
    std::vector<uint8_t> bytes() const { return std::vector<uint8_t>(data, data + length); }
};

// Builds the image of table with the uid counter set to first_uid, so that
// two builds of equal tables number their stations alike.
void build_image(svl_table *table, uint16_t first_uid, OwnedImage *image);

// Little-endian image bytes written by hand, independent of the library.
class ImageWriter {
public:
    ImageWriter &u8(uint32_t value);
    ImageWriter &u16(uint32_t value);
    ImageWriter &u32(uint32_t value);
    ImageWriter &text(const std::string &text);
    ImageWriter &zeros(size_t count);
    // A station record whose fields are all zero except the type, the
    // names and, in the 5.0 layout, the uid.
    ImageWriter &station(uint16_t layout, uint8_t program_data_byte, const std::string &name,
                         uint16_t uid = 0, const std::string &origin_name = std::string());
    // A favorite list record with the leading 0 entry and the given uids.
    ImageWriter &favorite(uint8_t attr, const std::string &name, const std::vector<uint16_t> &uids);
    const std::vector<uint8_t> &bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// A new station of the given version and type with the name set (no name
// when it is empty).
svl_station *make_station(uint16_t version, uint8_t program_data_byte, const char *name);

// Sets every field of the station, except version and ProgramDataByte, to a
// value whose bytes differ from those of every other field. The 5.0 fields
// are set only for version 50.
void fill_distinct_fields(svl_station *station);

// Expects every field of actual to equal expected, names compared as text.
// uid is compared too; the caller sets expected->uid to what it should be.
void expect_same_station(const svl_station *expected, const svl_station *actual);

// Expects the two tables to hold the same lists with equal stations, and
// each favorite list to point at the stations at the same base-list
// positions.
void expect_same_table(const svl_table *expected, const svl_table *actual);

// A table of the version with its two base lists holding the stations.
void make_table(svl_table *table, uint16_t version, const std::vector<svl_station *> &tv,
                const std::vector<svl_station *> &radio);

// Appends a favorite list of the kind holding the stations to the table.
svl_list *add_favorite(svl_table *table, uint32_t kind, const char *name,
                       const std::vector<svl_station *> &stations);

// Expects the table to be the empty table.
void expect_empty_table(const svl_table *table);

// Everything the code under test writes to standard output while it runs.
class StdoutCapture {
public:
    StdoutCapture();
    ~StdoutCapture();
    std::string finish();

private:
    int saved_fd_ = -1;
    FILE *file_ = nullptr;
};
