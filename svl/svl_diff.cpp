// Field-by-field comparison of station records.
#include <cstddef>
#include <cstring>

#include "svl_diff.h"
#include "svl_internal.h"

namespace {

struct Field {
    const char *name;
    size_t offset;
    size_t size;
};

#define SVL_FIELD(member) {#member, offsetof(svl_station, member), sizeof(svl_station::member)},

// Every member held by value, in declared order; the lengths of the two
// names stand for the names themselves.
const Field FIELDS[] = {SVL_STATION_FIELDS(SVL_FIELD)};

#undef SVL_FIELD

}  // namespace

static_assert(sizeof FIELDS / sizeof FIELDS[0] <= SVL_FIELD_COUNT, "room for every field name");

uint32_t svl_station_differences(const svl_station *a, const svl_station *b, const char **names, uint32_t max)
{
    if (!a || !b)
        return 0;
    uint32_t count = 0;
    auto note = [&](const char *name) {
        if (count < max)
            names[count] = name;
        ++count;
    };
    const char *a_bytes = reinterpret_cast<const char *>(a), *b_bytes = reinterpret_cast<const char *>(b);
    for (const Field &field : FIELDS) {
        if (field.offset == offsetof(svl_station, uid))
            continue;
        if (field.offset == offsetof(svl_station, name_len)) {
            if (!svl_same_text(a->name, a->name_len, b->name, b->name_len))
                note("name");
        } else if (field.offset == offsetof(svl_station, origin_name_len)) {
            if (!svl_same_text(a->origin_name, a->origin_name_len, b->origin_name, b->origin_name_len))
                note("origin_name");
        } else if (memcmp(a_bytes + field.offset, b_bytes + field.offset, field.size) != 0) {
            note(field.name);
        }
    }
    return count;
}
