// The backup of a set's table before an export overwrites it.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "svl_image.h"
#include "svl_ops.h"
#include "svl_tv.h"

namespace {

const char *format_suffix(const svl_table &table)
{
    return table.version == SVL_VERSION_40 ? ".svl40" : ".svl50";
}

// Saves the table as name followed by ending. errno tells why it failed,
// and stays 0 when the table could not be built.
int save_backup(svl_table *table, const char *name, const char *ending)
{
    const size_t size = strlen(name) + strlen(ending) + 1;
    char *path = static_cast<char *>(malloc(size));
    if (!path) {
        errno = ENOMEM;
        return TV_BACKUP_UNWRITABLE;
    }
    snprintf(path, size, "%s%s", name, ending);
    errno = 0;
    const int saved = svl_save_file(table, path);
    const int error = errno;
    free(path);
    errno = error;
    return saved == 0 ? int(TV_OK) : int(TV_BACKUP_UNWRITABLE);
}

}  // namespace

int svl_back_up_tv_table(const char *address, const tv_options *options, const char *name, int naming,
                         const char **suffix)
{
    if (!name) {
        errno = EINVAL;
        return TV_BACKUP_UNWRITABLE;
    }
    svl_table previous = svl_table();
    int result = svl_import_from_tv_with(&previous, address, options);
    if (result == TV_TRANSFER_FAILED) {
        result = TV_BACKUP_UNREADABLE;
    } else if (result == TV_OK && previous.list_count == 0) {
        result = TV_BACKUP_NO_TABLE;
    } else if (result == TV_OK) {
        if (suffix)
            *suffix = format_suffix(previous);
        result = save_backup(&previous, name, naming == TV_BACKUP_NAME_ADD_SUFFIX ? format_suffix(previous) : "");
    }
    const int error = errno;
    svl_free_table(&previous, 1);
    errno = error;
    return result;
}
