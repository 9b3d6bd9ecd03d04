// Station table files: loading, saving, and failed saves that must leave
// the previous file as it was.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "svl/svl_image.h"
#include "svl/svl_internal.h"
#include "svl/svl_ops.h"
#include "svl_test_support.h"
#include "tools/gen/svl_generate.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes read_file(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_file(const fs::path &path, const Bytes &bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), bytes.size());
}

std::set<std::string> folder_entries(const fs::path &folder)
{
    std::set<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

mode_t permission_bits(const fs::path &path)
{
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

class FileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "svl_file_test_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        svl_generate_options options;
        options.stations = 40;
        options.favorites = 3;
        ASSERT_EQ(svl_generate_table(&table.table, options), 0);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder, ignored);
    }

    // An earlier file at the path whose bytes a failed save must keep.
    Bytes put_old_file(const fs::path &path)
    {
        Bytes old = {'o', 'l', 'd', ' ', 'f', 'i', 'l', 'e'};
        write_file(path, old);
        return old;
    }

    fs::path folder;
    OwnedTable table;
};

TEST_F(FileTest, SavedTableLoadsBackEqualAndSavesToTheSameBytes)
{
    const fs::path path = folder / "table.svl50";
    svl_set_next_uid(1);
    ASSERT_EQ(svl_save_file(&table.table, path.c_str()), 0);
    OwnedTable loaded;
    ASSERT_EQ(svl_load_file(&loaded.table, path.c_str()), 0);
    expect_same_table(&table.table, &loaded.table);

    const Bytes first = read_file(path);
    svl_set_next_uid(1);
    ASSERT_EQ(svl_save_file(&loaded.table, path.c_str()), 0);
    EXPECT_EQ(read_file(path), first);
    EXPECT_EQ(folder_entries(folder), std::set<std::string>{"table.svl50"});
}

TEST_F(FileTest, LoadFailsWithMinusOneWhenTheFileCannotBeRead)
{
    OwnedTable loaded;
    EXPECT_EQ(svl_load_file(&loaded.table, (folder / "missing.svl50").c_str()), -1);
    expect_empty_table(&loaded.table);
    EXPECT_EQ(svl_load_file(&loaded.table, nullptr), -1);
    EXPECT_EQ(svl_load_file(nullptr, (folder / "missing.svl50").c_str()), -1);
    EXPECT_EQ(svl_load_file(&loaded.table, folder.c_str()), -1) << "a folder";
    expect_empty_table(&loaded.table);
}

// A file far larger than any station table is refused without reading it
// into memory; its sparse zeros cost no disk space.
TEST_F(FileTest, LoadRefusesAFileFarLargerThanAnyTable)
{
    const fs::path path = folder / "huge.svl50";
    write_file(path, {0x00, 0x05});
    fs::resize_file(path, 3ull << 30);
    OwnedTable loaded;
    EXPECT_NE(svl_load_file(&loaded.table, path.c_str()), 0);
    expect_empty_table(&loaded.table);
}

TEST_F(FileTest, LoadGivesOneForContentThatIsNoImage)
{
    for (const Bytes &content : {Bytes{'g', 'a', 'r', 'b', 'a', 'g', 'e'}, Bytes{}, Bytes{0x00, 0x05, 0x01}}) {
        const fs::path path = folder / "bad.svl50";
        write_file(path, content);
        OwnedTable loaded;
        EXPECT_EQ(svl_load_file(&loaded.table, path.c_str()), 1) << content.size() << " bytes";
        expect_empty_table(&loaded.table);
    }
}

TEST_F(FileTest, NewFileGetsTheUsualPermissionsOfTheUmask)
{
    const fs::path path = folder / "new.svl50";
    const mode_t old_mask = umask(022);
    const int result = svl_save_file(&table.table, path.c_str());
    umask(old_mask);
    ASSERT_EQ(result, 0);
    EXPECT_EQ(permission_bits(path), 0644u);
}

TEST_F(FileTest, SavingOverAFileKeepsItsPermissionBits)
{
    const fs::path path = folder / "kept.svl50";
    put_old_file(path);
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_EQ(svl_save_file(&table.table, path.c_str()), 0);
    EXPECT_EQ(permission_bits(path), 0640u);
    EXPECT_NE(read_file(path), (Bytes{'o', 'l', 'd', ' ', 'f', 'i', 'l', 'e'}));
}

TEST_F(FileTest, SavingThroughASymlinkUpdatesItsTargetAndKeepsTheLink)
{
    fs::create_directory(folder / "links");
    fs::create_directory(folder / "data");
    const fs::path target = folder / "data" / "target.svl50";
    const fs::path link = folder / "links" / "link.svl50";
    put_old_file(target);
    fs::create_symlink("../data/target.svl50", link);

    svl_set_next_uid(1);
    ASSERT_EQ(svl_save_file(&table.table, link.c_str()), 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "../data/target.svl50");
    OwnedImage image;
    build_image(&table.table, 1, &image);
    EXPECT_EQ(read_file(target), image.bytes());
    EXPECT_EQ(folder_entries(folder / "links"), std::set<std::string>{"link.svl50"});
    EXPECT_EQ(folder_entries(folder / "data"), std::set<std::string>{"target.svl50"});
}

// The temporary file must not need a longer name than the file itself.
TEST_F(FileTest, SavesUnderTheLongestNameTheFolderAllows)
{
    const fs::path path = folder / (std::string(248, 't') + ".svl50");
    put_old_file(path);
    svl_set_next_uid(1);
    ASSERT_EQ(svl_save_file(&table.table, path.c_str()), 0);
    OwnedImage image;
    build_image(&table.table, 1, &image);
    EXPECT_EQ(read_file(path), image.bytes());
    EXPECT_EQ(folder_entries(folder), std::set<std::string>{path.filename().string()});
}

TEST_F(FileTest, FailedSaveOfATableWithoutBaseListsKeepsTheOldFile)
{
    const fs::path path = folder / "old.svl50";
    const Bytes old = put_old_file(path);
    svl_table one_list{};
    one_list.version = 50;
    ASSERT_EQ(svl_append_list(&one_list, svl_new_list("ALL_TV", 1, 3)), 0);
    EXPECT_EQ(svl_save_file(&one_list, path.c_str()), -1);
    svl_free_table(&one_list, 1);
    EXPECT_EQ(read_file(path), old);
    EXPECT_EQ(folder_entries(folder), std::set<std::string>{"old.svl50"});
}

TEST_F(FileTest, SaveToAFolderFails)
{
    const fs::path target = folder / "table.svl50";
    fs::create_directory(target);
    write_file(target / "inside", {1, 2, 3});
    EXPECT_EQ(svl_save_file(&table.table, target.c_str()), -1);
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(folder_entries(target), std::set<std::string>{"inside"});
    EXPECT_EQ(folder_entries(folder), std::set<std::string>{"table.svl50"});
}

TEST_F(FileTest, SaveIntoAMissingFolderFails)
{
    EXPECT_EQ(svl_save_file(&table.table, (folder / "absent" / "table.svl50").c_str()), -1);
    EXPECT_TRUE(folder_entries(folder).empty());
    EXPECT_EQ(svl_save_file(&table.table, nullptr), -1);
    EXPECT_EQ(svl_save_file(nullptr, (folder / "table.svl50").c_str()), -1);
}

// A file size limit makes the write itself fail halfway, even for root.
TEST_F(FileTest, SaveThatCannotWriteEveryByteKeepsTheOldFileAndLeavesNoTemporary)
{
    const fs::path path = folder / "old.svl50";
    const Bytes old = put_old_file(path);
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    auto old_handler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int result = svl_save_file(&table.table, path.c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, old_handler);

    EXPECT_EQ(result, -1);
    EXPECT_EQ(read_file(path), old);
    EXPECT_EQ(folder_entries(folder), std::set<std::string>{"old.svl50"});
}

TEST_F(FileTest, SaveIntoAReadOnlyFolderKeepsTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root: folder permissions do not stop root from writing";
    const fs::path path = folder / "old.svl50";
    const Bytes old = put_old_file(path);
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    EXPECT_EQ(svl_save_file(&table.table, path.c_str()), -1);
    chmod(folder.c_str(), 0755);
    EXPECT_EQ(read_file(path), old);
    EXPECT_EQ(folder_entries(folder), std::set<std::string>{"old.svl50"});
}

}  // namespace
