// Station table files: what loading refuses, and saves that either put
// every byte in place or leave the previous file as it was.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

#include <filesystem>
#include <functional>
#include <set>

#include <gtest/gtest.h>

#include "svl/svl_image.h"
#include "svl/svl_internal.h"
#include "svl/svl_ops.h"
#include "tests/support/sandbox.h"
#include "tests/support/tables.h"
#include "tools/gen/svl_generate.h"

namespace fs = std::filesystem;

// The last step of a save before its rename: a disk that reports its
// failure only on the flush must not leave a half-written table in place.
// The library is linked statically, so its calls come here.
static bool fail_next_fsync = false;

extern "C" int fsync(int fd)
{
    if (fail_next_fsync) {
        fail_next_fsync = false;
        errno = EIO;
        return -1;
    }
    return int(syscall(SYS_fsync, fd));
}

namespace {

mode_t permission_bits(const std::string &path)
{
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

int save(svl_table *table, const std::string &path)
{
    svl_set_next_uid(1);
    return svl_save_file(table, path.empty() ? nullptr : path.c_str());
}

TEST(TableFile, LoadGivesMinusOneForWhatCannotBeReadAndOneForWhatIsNoImage)
{
    Sandbox sandbox;
    write_file(sandbox.file("huge"), std::string("\0\5", 2));
    fs::resize_file(sandbox.file("huge"), 3ull << 30);  // sparse: takes no disk space
    write_file(sandbox.file("text"), "garbage");
    write_file(sandbox.file("empty"), "");
    const std::pair<std::string, int> cases[] = {{"missing", -1}, {"", -1}, {"huge", -1}, {"text", 1}, {"empty", 1}};
    for (const auto &c : cases) {
        OwnedTable loaded;
        EXPECT_EQ(svl_load_file(&loaded.table, sandbox.file(c.first).c_str()), c.second) << c.first;
        EXPECT_EQ(loaded->lists, nullptr) << c.first;
    }
    OwnedTable loaded;
    EXPECT_EQ(svl_load_file(&loaded.table, nullptr), -1);
    EXPECT_EQ(svl_load_file(nullptr, sandbox.file("text").c_str()), -1);
}

// Each failure leaves the old file's bytes and the folder's entries as
// they were: no temporary file stays behind.
TEST(TableFile, FailedSavesKeepTheOldFile)
{
    Sandbox sandbox;
    OwnedTable table, one_list;
    ASSERT_EQ(svl_generate_table(&table.table, svl_generate_options{40, 50, 3}), 0);
    ASSERT_EQ(svl_append_list(&one_list.table, svl_new_list("ALL_TV", SVL_KIND_TV, SVL_ATTR_BASE)), 0);
    const std::string old = sandbox.file("old.svl50");
    struct rlimit saved {}, small {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    small = {64, saved.rlim_max};
    const std::function<void()> nothing = [] {};
    const struct {
        const char *name;
        svl_table *table;
        std::string path;
        std::function<void()> before, after;
    } cases[] = {
        {"a table without both base lists", &one_list.table, old, nothing, nothing},
        // A file size limit makes the write itself fail halfway, even for root.
        {"a write cut short", &table.table, old, [&] { signal(SIGXFSZ, SIG_IGN), setrlimit(RLIMIT_FSIZE, &small); },
         [&] { setrlimit(RLIMIT_FSIZE, &saved), signal(SIGXFSZ, SIG_DFL); }},
        {"a read-only folder", &table.table, old, [&] { chmod(sandbox.path().c_str(), 0555); },
         [&] { chmod(sandbox.path().c_str(), 0755); }},
        {"a failed flush", &table.table, old, [] { fail_next_fsync = true; }, [] { fail_next_fsync = false; }},
        {"a folder as the target", &table.table, sandbox.file("folder"), nothing, nothing},
        {"no path", &table.table, "", nothing, nothing},
        {"no table", nullptr, old, nothing, nothing},
    };
    fs::create_directory(sandbox.file("folder"));
    write_file(sandbox.file("folder/inside"), "x");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (geteuid() == 0 && std::string(c.name) == "a read-only folder")
            continue;  // folder permissions do not stop root
        write_file(old, "old file");
        const std::set<std::string> before = names_in(sandbox.path());
        c.before();
        const int result = save(c.table, c.path);
        c.after();
        EXPECT_EQ(std::make_pair(result, read_file(old)), std::make_pair(-1, std::string("old file")));
        EXPECT_EQ(names_in(sandbox.path()), before);
        EXPECT_EQ(names_in(sandbox.file("folder")), std::set<std::string>{"inside"});
    }
}

// A save keeps the permission bits of the file it replaces (a new file
// gets the usual ones), writes through a symbolic link to its target, and
// needs no longer name than the file's own.
TEST(TableFile, SavesKeepPermissionsFollowLinksAndTakeTheLongestNames)
{
    Sandbox sandbox;
    OwnedTable table;
    ASSERT_EQ(svl_generate_table(&table.table, svl_generate_options{40, 50, 3}), 0);
    const std::string image = image_of(&table.table), kept = sandbox.file("kept"),
                      longest = std::string(248, 't') + ".svl50";
    const mode_t mask = umask(022);
    EXPECT_EQ(save(&table.table, sandbox.file("new")), 0);
    umask(mask);
    EXPECT_EQ(permission_bits(sandbox.file("new")), 0644u);
    write_file(kept, "old file");
    ASSERT_EQ(chmod(kept.c_str(), 0640), 0);
    fs::create_directory(sandbox.file("links"));
    fs::create_symlink("../kept", sandbox.file("links/link"));
    ASSERT_EQ(save(&table.table, sandbox.file("links/link")), 0);
    EXPECT_EQ(fs::read_symlink(sandbox.file("links/link")), "../kept");
    EXPECT_EQ(permission_bits(kept), 0640u);
    EXPECT_EQ(read_file(kept), image);
    write_file(sandbox.file(longest), "old file");
    ASSERT_EQ(save(&table.table, sandbox.file(longest)), 0);
    EXPECT_EQ(read_file(sandbox.file(longest)), image);
    EXPECT_EQ(names_in(sandbox.path()), (std::set<std::string>{"new", "kept", "links", longest}));
    EXPECT_EQ(names_in(sandbox.file("links")), std::set<std::string>{"link"});
}

}  // namespace
