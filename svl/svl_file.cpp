// Station table files: loading a whole file, and saving so that a failure
// never costs the user the file they had.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "svl_image.h"
#include "svl_ops.h"

static void report(const char *call)
{
    fprintf(stderr, "%s: %s\n", call, strerror(errno));
}

// The length of a regular file that is small enough to be read whole; -1
// with errno set for anything else (a folder, a device, a huge file).
static long readable_length(FILE *file)
{
    struct stat info;
    if (fstat(fileno(file), &info) != 0)
        return -1;
    if (!S_ISREG(info.st_mode)) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return -1;
    }
    if (uintmax_t(info.st_size) > SVL_MAX_FILE_SIZE) {
        errno = EFBIG;
        return -1;
    }
    return long(info.st_size);
}

// The file's whole content in a new buffer; null when it cannot be read.
static uint8_t *read_whole_file(FILE *file, size_t *length)
{
    long size = readable_length(file);
    if (size < 0) {
        report("svl_load_file");
        return nullptr;
    }
    uint8_t *buffer = static_cast<uint8_t *>(malloc(size_t(size) + 1));
    if (!buffer) {
        report("malloc");
        return nullptr;
    }
    if (fread(buffer, 1, size_t(size), file) != size_t(size)) {
        free(buffer);
        return nullptr;
    }
    *length = size_t(size);
    return buffer;
}

int svl_load_file(svl_table *target, const char *path)
{
    if (!target)
        return -1;
    *target = svl_table{};
    FILE *file = path ? fopen(path, "rb") : nullptr;
    if (!file) {
        report("fopen");
        return -1;
    }
    size_t length = 0;
    uint8_t *image = read_whole_file(file, &length);
    fclose(file);
    if (!image)
        return -1;
    int result = svl_parse_table(target, image, length) == 0 ? 0 : 1;
    free(image);
    return result;
}

static int write_all(int fd, const uint8_t *data, size_t length)
{
    while (length > 0) {
        ssize_t written = write(fd, data, length);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return -1;
        data += written;
        length -= size_t(written);
    }
    return 0;
}

// Where the image really goes: through a symbolic link to its target, so
// that saving replaces the file and keeps the link.
static std::string resolve_target(const char *path)
{
    char resolved[PATH_MAX];
    struct stat info;
    if (lstat(path, &info) == 0 && S_ISLNK(info.st_mode) && realpath(path, resolved))
        return resolved;
    return path;
}

// A new temporary file in target's folder, created with the permissions a
// new file would get (or those of the file it will replace). Its name is
// short, so a target whose name is as long as the folder allows still works.
static int create_temporary(const std::string &target, std::string *temporary)
{
    struct stat info;
    bool replaces = stat(target.c_str(), &info) == 0;
    std::string folder = target.substr(0, target.rfind('/') + 1);
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        *temporary = folder + ".kanvio-" + std::to_string(getpid()) + "-" + std::to_string(attempt) + ".tmp";
        int fd = open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (replaces && S_ISREG(info.st_mode))
                fchmod(fd, info.st_mode & 07777);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

static int write_and_replace(const std::string &target, const uint8_t *image, size_t length)
{
    std::string temporary;
    int fd = create_temporary(target, &temporary);
    if (fd < 0) {
        report("open");
        return -1;
    }
    bool written = write_all(fd, image, length) == 0 && fsync(fd) == 0;
    if (close(fd) != 0)
        written = false;
    if (!written || rename(temporary.c_str(), target.c_str()) != 0) {
        report(written ? "rename" : "write");
        unlink(temporary.c_str());
        return -1;
    }
    return 0;
}

int svl_save_file(svl_table *table, const char *path)
{
    if (!table || !path || !*path)
        return -1;
    size_t length = 0;
    uint8_t *image = svl_build_table(table, &length);
    if (!image)
        return -1;
    int result = write_and_replace(resolve_target(path), image, length);
    svl_free_image(image);
    return result;
}
