// Tables: the list array, merging and the favorite-list limit.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "svl_ops.h"

void svl_free_table(svl_table *table, int with_stations)
{
    if (!table)
        return;
    for (uint32_t i = table->list_count; i-- > 0;) {
        svl_list *list = table->lists[i];
        svl_free_list(list, with_stations && list && svl_is_base_kind(list->kind));
    }
    free(table->lists);
    table->lists = nullptr;
    table->list_count = 0;
}

int svl_init_table(svl_table *table, uint16_t version)
{
    *table = svl_table{};
    table->version = version;
    svl_list *tv = svl_new_list(SVL_TV_LIST_NAME, SVL_KIND_TV, SVL_ATTR_BASE);
    if (!tv || svl_append_list(table, tv) != 0) {
        svl_free_list(tv, 0);
        return -1;
    }
    svl_list *radio = svl_new_list(SVL_RADIO_LIST_NAME, SVL_KIND_RADIO, SVL_ATTR_BASE);
    if (!radio || svl_append_list(table, radio) != 0) {
        svl_free_list(radio, 0);
        svl_free_table(table, 0);
        return -1;
    }
    return 0;
}

int svl_append_list(svl_table *table, svl_list *list)
{
    if (!table)
        return -1;
    return svl_insert_list(table, table->list_count, list);
}

int svl_insert_list(svl_table *table, uint32_t index, svl_list *list)
{
    if (!table || !list || table->list_count == UINT32_MAX)
        return -1;
    void *grown = realloc(table->lists, (size_t(table->list_count) + 1) * sizeof(svl_list *));
    if (!grown)
        return -1;
    table->lists = static_cast<svl_list **>(grown);
    if (index > table->list_count)
        index = table->list_count;
    memmove(table->lists + index + 1, table->lists + index, (table->list_count - index) * sizeof(svl_list *));
    table->lists[index] = list;
    table->list_count++;
    return 0;
}

svl_list *svl_remove_list_at(svl_table *table, uint32_t index)
{
    if (!table || index < 2 || index >= table->list_count)
        return nullptr;
    svl_list *list = table->lists[index];
    memmove(table->lists + index, table->lists + index + 1, (table->list_count - index - 1) * sizeof(svl_list *));
    table->list_count--;
    // The array only shrinks; a failed shrink leaves a larger array, which is harmless.
    void *shrunk = realloc(table->lists, table->list_count * sizeof(svl_list *));
    if (shrunk)
        table->lists = static_cast<svl_list **>(shrunk);
    return list;
}

int svl_list_name_exists(const svl_table *table, const svl_list *except, const char *name)
{
    if (!table || !name)
        return 0;
    for (uint32_t i = 0; i < table->list_count; ++i) {
        const svl_list *list = table->lists[i];
        if (list != except && list->name && strcmp(list->name, name) == 0)
            return 1;
    }
    return 0;
}

void svl_sort_lists(svl_table *table)
{
    if (!table || table->list_count < 2)
        return;
    std::stable_sort(table->lists, table->lists + table->list_count,
                     [](const svl_list *a, const svl_list *b) { return a->kind < b->kind; });
}

uint32_t svl_count_lists_of_kind(const svl_table *table, uint32_t kind)
{
    uint32_t count = 0;
    for (uint32_t i = 0; table && i < table->list_count; ++i)
        count += table->lists[i]->kind == kind;
    return count;
}

int svl_first_favorite_index(const svl_table *table, uint32_t favorite_kind)
{
    if (!table || !svl_is_favorite_kind(favorite_kind))
        return -1;
    if (favorite_kind == SVL_KIND_TV_FAV)
        return SVL_FIRST_FAV_INDEX;
    return SVL_FIRST_FAV_INDEX + int(svl_count_lists_of_kind(table, SVL_KIND_TV_FAV));
}

// "1" goes on the end first; then that last character counts up to "9".
int svl_make_list_name_unique(const svl_table *table, svl_list *list)
{
    if (!table || !list || !list->name)
        return 1;
    if (!svl_list_name_exists(table, list, list->name))
        return 0;
    size_t length = strlen(list->name);
    char *candidate = static_cast<char *>(malloc(length + 2));
    if (!candidate)
        return 1;
    memcpy(candidate, list->name, length);
    candidate[length + 1] = '\0';
    int result = 1;
    for (char digit = '1'; digit <= '9'; ++digit) {
        candidate[length] = digit;
        if (!svl_list_name_exists(table, list, candidate)) {
            result = svl_set_list_name(list, candidate) == 0 ? 0 : 1;
            break;
        }
    }
    free(candidate);
    return result;
}

int svl_check_fav_limit(const svl_table *a, const svl_table *b)
{
    if (!a || !b)
        return -1;
    for (uint32_t kind : {uint32_t(SVL_KIND_TV_FAV), uint32_t(SVL_KIND_RADIO_FAV)}) {
        if (svl_count_lists_of_kind(a, kind) + svl_count_lists_of_kind(b, kind) > SVL_MAX_FAV_LISTS)
            return -1;
    }
    return 0;
}

static bool reserve_for_stations_of(svl_list *dest, const svl_list *source)
{
    return source->count <= UINT32_MAX - dest->count &&
           svl_reserve_stations(dest, dest->count + source->count) == 0;
}

static void append_all_stations(svl_list *dest, const svl_list *source)
{
    for (uint32_t i = 0; i < source->count; ++i)
        svl_append_station(dest, source->stations[i]);  // room was reserved
}

static bool holds_only_favorites_after_base_lists(const svl_table *table)
{
    for (uint32_t i = 2; i < table->list_count; ++i) {
        uint32_t kind = table->lists[i]->kind;
        if (!svl_is_favorite_kind(kind))
            return false;
    }
    return true;
}

static void free_lists(svl_list **lists, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i)
        svl_free_list(lists[i], 0);
    free(lists);
}

// Copies, with attr 4, of the source's favorite lists that dest has room
// for, in a new array. Null when memory runs out (nothing is left behind).
static svl_list **copy_favorites_that_fit(const svl_table *dest, const svl_table *source, uint32_t *count)
{
    uint32_t tv_lists = svl_count_lists_of_kind(dest, SVL_KIND_TV_FAV);
    uint32_t radio_lists = svl_count_lists_of_kind(dest, SVL_KIND_RADIO_FAV);
    svl_list **copies = static_cast<svl_list **>(malloc((source->list_count + 1) * sizeof(svl_list *)));
    *count = 0;
    for (uint32_t i = 2; copies && i < source->list_count; ++i) {
        const svl_list *list = source->lists[i];
        uint32_t *held = list->kind == SVL_KIND_TV_FAV ? &tv_lists : &radio_lists;
        if (*held >= SVL_MAX_FAV_LISTS)
            continue;
        svl_list *copy = svl_copy_list(list);
        if (!copy) {
            free_lists(copies, *count);
            return nullptr;
        }
        copy->attr = SVL_ATTR_FAVORITE;
        copies[(*count)++] = copy;
        ++*held;
    }
    return copies;
}

static bool grow_lists(svl_table *table, uint32_t extra)
{
    void *grown = realloc(table->lists, (size_t(table->list_count) + extra) * sizeof(svl_list *));
    if (grown)
        table->lists = static_cast<svl_list **>(grown);
    return grown != nullptr;
}

int svl_append_table(svl_table *dest, const svl_table *source, int skip_limit_check)
{
    if (!dest || !source || dest->version != source->version)
        return -1;
    if (!skip_limit_check && svl_check_fav_limit(dest, source) != 0)
        return -1;
    if (dest->list_count < 2 || source->list_count < 2 || !holds_only_favorites_after_base_lists(source))
        return -1;
    // Everything that can fail happens before any station changes hands, so
    // a failed merge leaves both tables as they were.
    if (!reserve_for_stations_of(dest->lists[0], source->lists[0]) ||
        !reserve_for_stations_of(dest->lists[1], source->lists[1]))
        return -1;
    uint32_t copies_count = 0;
    svl_list **copies = copy_favorites_that_fit(dest, source, &copies_count);
    if (!copies || !grow_lists(dest, copies_count)) {
        free_lists(copies, copies_count);
        return -1;
    }
    append_all_stations(dest->lists[0], source->lists[0]);
    append_all_stations(dest->lists[1], source->lists[1]);
    for (uint32_t i = 0; i < copies_count; ++i)
        dest->lists[dest->list_count++] = copies[i];
    free(copies);
    return 0;
}
