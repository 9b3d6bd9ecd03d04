#include "tests/support/tables.h"

#include <gtest/gtest.h>

#include "svl/svl_image.h"
#include "svl/svl_internal.h"
#include "svl/svl_ops.h"

OwnedTable::~OwnedTable()
{
    svl_free_table(&table, 1);
}

std::string image_of(svl_table *table, uint16_t first_uid)
{
    svl_set_next_uid(first_uid);
    size_t length = 0;
    uint8_t *image = svl_build_table(table, &length);
    std::string bytes = image ? std::string(reinterpret_cast<const char *>(image), length) : std::string();
    svl_free_image(image);
    return bytes;
}

ImageWriter &ImageWriter::text(const std::string &text)
{
    bytes_ += text;
    return *this;
}

ImageWriter &ImageWriter::station(uint16_t layout, uint8_t type, const std::string &name, uint16_t uid)
{
    u8(layout % 10).u8(layout / 10).u8(type).u8(name.size()).text(name).zeros(95);
    if (layout >= 50)
        u16(uid).u16(0).u8(0).zeros(15);
    return *this;
}

ImageWriter &ImageWriter::favorite(uint8_t attr, const std::string &name, const std::vector<uint16_t> &uids)
{
    u8(attr).u8(name.size() + 1).text(name).u8(0).u32(uids.size() + 1).u16(0);
    for (uint16_t uid : uids)
        u16(uid);
    return *this;
}

svl_station *make_station(uint16_t version, uint8_t type, const char *name)
{
    svl_station *station = svl_new_station(version);
    EXPECT_NE(station, nullptr);
    station->ProgramDataByte = type;
    if (*name) {
        EXPECT_EQ(svl_set_station_name(station, name), 0);
    }
    return station;
}

void make_table(svl_table *table, uint16_t version, const std::vector<svl_station *> &tv,
                const std::vector<svl_station *> &radio)
{
    ASSERT_EQ(svl_init_table(table, version), 0);
    for (uint32_t base = 0; base < 2; ++base)
        for (svl_station *station : base == 0 ? tv : radio)
            ASSERT_EQ(svl_append_station(table->lists[base], station), 0);
}

svl_list *add_favorite(svl_table *table, uint32_t kind, const char *name,
                       const std::vector<svl_station *> &stations)
{
    svl_list *list = svl_new_list(name, kind, SVL_ATTR_FAVORITE);
    for (svl_station *station : stations)
        EXPECT_EQ(svl_append_station(list, station), 0);
    EXPECT_EQ(svl_append_list(table, list), 0);
    return list;
}

std::vector<svl_station *> entries(const svl_list *list)
{
    return std::vector<svl_station *>(list->stations, list->stations + list->count);
}

#if defined(__SANITIZE_ADDRESS__)
// Counts read from outside input must be checked before they reach the
// allocator. Huge allocations would quietly succeed on overcommitted
// memory; with this cap the sanitizer build stops on them instead.
extern "C" const char *__asan_default_options()
{
    return "max_allocation_size_mb=512";
}
#endif
