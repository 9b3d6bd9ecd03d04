// Station lists: the pointer arrays and the operations on them.
//
// Arrays grow geometrically so that appending n stations costs O(n); an
// array that becomes empty is released, leaving a null array with count 0.
#include <cstdlib>
#include <cstring>

#include "svl_internal.h"
#include "svl_ops.h"

static char *copy_text(const char *text)
{
    size_t size = strlen(text) + 1;
    char *copy = static_cast<char *>(malloc(size));
    if (copy)
        memcpy(copy, text, size);
    return copy;
}

svl_list *svl_new_list(const char *name, uint32_t kind, uint8_t attr)
{
    if (!name)
        return nullptr;
    svl_list *list = static_cast<svl_list *>(calloc(1, sizeof(svl_list)));
    if (!list)
        return nullptr;
    list->name = copy_text(name);
    if (!list->name) {
        free(list);
        return nullptr;
    }
    list->kind = kind;
    list->attr = attr;
    return list;
}

svl_list *svl_copy_list(const svl_list *list)
{
    if (!list)
        return nullptr;
    svl_list *copy = svl_new_list(list->name, list->kind, list->attr);
    if (!copy)
        return nullptr;
    if (list->count == 0)
        return copy;
    if (svl_reserve_stations(copy, list->count) != 0) {
        svl_free_list(copy, 0);
        return nullptr;
    }
    memcpy(copy->stations, list->stations, list->count * sizeof(svl_station *));
    copy->count = list->count;
    return copy;
}

void svl_free_list(svl_list *list, int with_stations)
{
    if (!list)
        return;
    if (with_stations) {
        for (uint32_t i = list->count; i-- > 0;)
            svl_free_station(list->stations[i]);
    }
    free(list->stations);
    free(list->name);
    free(list);
}

int svl_reserve_stations(svl_list *list, uint32_t capacity)
{
    if (!list)
        return -1;
    if (capacity <= list->capacity)
        return 0;
    void *grown = realloc(list->stations, size_t(capacity) * sizeof(svl_station *));
    if (!grown)
        return -1;
    list->stations = static_cast<svl_station **>(grown);
    list->capacity = capacity;
    return 0;
}

// Room for one more entry, doubling the array when it is full.
static int make_room_for_one(svl_list *list)
{
    if (list->count < list->capacity)
        return 0;
    if (list->count == UINT32_MAX)
        return -1;
    uint32_t wanted = list->capacity < 8 ? 8 : list->capacity;
    if (wanted > UINT32_MAX - list->capacity)
        wanted = UINT32_MAX - list->capacity;
    return svl_reserve_stations(list, list->capacity + wanted);
}

void svl_release_spare_room(svl_list *list)
{
    if (list->count == 0) {
        free(list->stations);
        list->stations = nullptr;
        list->capacity = 0;
        return;
    }
    if (list->capacity < 64 || list->count > list->capacity / 4)
        return;
    uint32_t smaller = list->capacity / 2;
    void *shrunk = realloc(list->stations, size_t(smaller) * sizeof(svl_station *));
    if (shrunk) {
        list->stations = static_cast<svl_station **>(shrunk);
        list->capacity = smaller;
    }
}

int svl_append_station(svl_list *list, svl_station *station)
{
    if (!list || make_room_for_one(list) != 0)
        return -1;
    list->stations[list->count++] = station;
    return 0;
}

int svl_insert_station(svl_list *list, svl_station *station, uint32_t index)
{
    if (!list || !station || index > list->count || make_room_for_one(list) != 0)
        return -1;
    memmove(list->stations + index + 1, list->stations + index,
            (list->count - index) * sizeof(svl_station *));
    list->stations[index] = station;
    list->count++;
    return 0;
}

svl_station *svl_remove_station_at(svl_list *list, uint32_t index)
{
    if (!list || index >= list->count || !list->stations[index])
        return nullptr;
    svl_station *station = list->stations[index];
    memmove(list->stations + index, list->stations + index + 1,
            (list->count - index - 1) * sizeof(svl_station *));
    list->count--;
    svl_release_spare_room(list);
    return station;
}

// 1 when the n rows are strictly ascending and each is below limit.
static int rows_ascending_below(const uint32_t *rows, uint32_t n, uint64_t limit)
{
    for (uint32_t i = 0; i < n; ++i) {
        if (rows[i] >= limit || (i > 0 && rows[i] <= rows[i - 1]))
            return 0;
    }
    return 1;
}

int svl_remove_stations_at(svl_list *list, const uint32_t *rows, uint32_t n)
{
    if (!list || (n > 0 && !rows) || !rows_ascending_below(rows, n, list->count))
        return -1;
    if (n == 0)
        return 0;
    uint32_t kept = rows[0];
    uint32_t next = 0;
    for (uint32_t row = rows[0]; row < list->count; ++row) {
        if (next < n && rows[next] == row)
            ++next;
        else
            list->stations[kept++] = list->stations[row];
    }
    list->count = kept;
    svl_release_spare_room(list);
    return 0;
}

int svl_insert_stations_at(svl_list *list, const uint32_t *rows, svl_station *const *stations, uint32_t n)
{
    if (!list || (n > 0 && (!rows || !stations)) || n > UINT32_MAX - list->count
        || !rows_ascending_below(rows, n, uint64_t(list->count) + n))
        return -1;
    for (uint32_t i = 0; i < n; ++i) {
        if (!stations[i])
            return -1;
    }
    if (n == 0)
        return 0;
    if (svl_reserve_stations(list, list->count + n) != 0)
        return -1;
    // From the back, so that every entry moves once, straight to its place.
    uint32_t source = list->count;
    uint32_t left = n;
    for (uint32_t row = list->count + n; left > 0 && row-- > 0;) {
        if (rows[left - 1] == row)
            list->stations[row] = stations[--left];
        else
            list->stations[row] = list->stations[--source];
    }
    list->count += n;
    return 0;
}

// One pass over the list into a new order, so that moving thousands of
// stations costs no more than moving one.
int svl_move_stations(svl_list *list, const uint32_t *rows, uint32_t row_count, uint32_t target)
{
    if (!list || !rows || row_count == 0 || target > list->count
        || !rows_ascending_below(rows, row_count, list->count))
        return -1;
    svl_station **order = static_cast<svl_station **>(malloc(list->count * sizeof(svl_station *)));
    if (!order)
        return -1;
    uint32_t placed = 0;
    uint32_t next_moved = 0;
    for (uint32_t i = 0; i <= list->count; ++i) {
        if (i == target) {
            for (uint32_t m = 0; m < row_count; ++m)
                order[placed++] = list->stations[rows[m]];
        }
        if (i == list->count)
            break;
        if (next_moved < row_count && rows[next_moved] == i)
            ++next_moved;
        else
            order[placed++] = list->stations[i];
    }
    memcpy(list->stations, order, list->count * sizeof(svl_station *));
    free(order);
    return 0;
}

int svl_index_of_station(const svl_list *list, const svl_station *station)
{
    if (!list || !station)
        return -1;
    for (uint32_t i = list->count; i-- > 0;) {
        if (list->stations[i] == station)
            return int(i);
    }
    return -1;
}

int svl_reorder_list(svl_list *list, const uint32_t *order)
{
    if (!list || (!order && list->count > 0))
        return -1;
    svl_station **reordered = static_cast<svl_station **>(malloc((size_t(list->count) + 1) * sizeof(svl_station *)));
    uint8_t *seen = static_cast<uint8_t *>(calloc(size_t(list->count) + 1, 1));
    bool permutation = reordered && seen;
    for (uint32_t i = 0; permutation && i < list->count; ++i) {
        permutation = order[i] < list->count && !seen[order[i]];
        if (permutation) {
            seen[order[i]] = 1;
            reordered[i] = list->stations[order[i]];
        }
    }
    if (permutation && list->count > 0)
        memcpy(list->stations, reordered, list->count * sizeof(svl_station *));
    free(reordered);
    free(seen);
    return permutation ? 0 : -1;
}

uint32_t svl_remove_marked_stations(svl_list *list, const uint8_t *marked)
{
    if (!list || !marked)
        return 0;
    uint32_t kept = 0;
    for (uint32_t i = 0; i < list->count; ++i)
        if (!marked[i])
            list->stations[kept++] = list->stations[i];
    uint32_t removed = list->count - kept;
    list->count = kept;
    svl_release_spare_room(list);
    return removed;
}

// 1 when pattern occurs in text, comparing with ASCII letters folded.
static int contains_ignoring_case(const char *text, const char *pattern)
{
    for (; *text; ++text) {
        const char *t = text;
        const char *p = pattern;
        while (*p && *t && svl_ascii_lower(*t) == svl_ascii_lower(*p)) {
            ++t;
            ++p;
        }
        if (!*p)
            return 1;
        if (!*t)
            return 0;
    }
    return 0;
}

int svl_find_stations_by_name(const svl_list *list, const char *pattern, uint32_t **indexes)
{
    if (!list || !pattern || !*pattern || list->count == 0 || !indexes)
        return -1;
    uint32_t *found = static_cast<uint32_t *>(malloc(list->count * sizeof(uint32_t)));
    if (!found)
        return -1;
    int matches = 0;
    for (uint32_t i = list->count; i-- > 0;) {
        const char *name = list->stations[i] ? list->stations[i]->name : nullptr;
        if (name && *name && contains_ignoring_case(name, pattern))
            found[matches++] = i;
    }
    *indexes = found;
    return matches;
}

void svl_free_indexes(uint32_t *indexes)
{
    free(indexes);
}

int svl_set_list_name(svl_list *list, const char *name)
{
    if (!list || !name || !*name)
        return 1;
    char *copy = copy_text(name);
    if (!copy)
        return 1;
    free(list->name);
    list->name = copy;
    return 0;
}
