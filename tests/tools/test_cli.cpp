// kanvio-cli: usage, exit statuses and error lines, and what info, dump and
// generate make of tables, against stored files.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "svl/svl_image.h"
#include "svl/svl_internal.h"
#include "tests/support/runners.h"
#include "tests/support/tables.h"
#include "tools/gen/svl_generate.h"

namespace {

struct Misuse {
    std::vector<std::string> arguments;
    std::string message;  // the first line on standard error
};

const std::string RANGE = "' for --stations (a number from 0 to 1000000)";

const Misuse MISUSES[] = {
    {{}, "usage: kanvio-cli COMMAND ARGUMENTS..."},
    {{"frobnicate"}, "kanvio-cli: unknown command 'frobnicate'"},
    {{"info"}, "kanvio-cli: missing FILE"},
    {{"dump", "a.svl50", "b.svl50"}, "kanvio-cli: too many arguments"},
    {{"dump", "--pretty"}, "kanvio-cli: unknown option '--pretty'"},
    {{"generate", "out.svl50"}, "kanvio-cli: --stations is required"},
    {{"generate", "--stations", "10"}, "kanvio-cli: missing OUT file"},
    {{"generate", "--stations", "10", "out.svl50", "x.svl50"}, "kanvio-cli: more than one OUT file"},
    {{"generate", "out.svl50", "--stations"}, "kanvio-cli: --stations needs a value"},
    {{"generate", "--stations", "-1", "out.svl50"}, "kanvio-cli: invalid value '-1" + RANGE},
    {{"generate", "--stations", "12x", "out.svl50"}, "kanvio-cli: invalid value '12x" + RANGE},
    {{"generate", "--stations", "5", "--version", "45", "out.svl50"}, "kanvio-cli: --version must be 40 or 50"},
    {{"generate", "--stations", "5", "--favorites", "9", "out.svl50"},
     "kanvio-cli: invalid value '9' for --favorites (a number from 0 to 8)"},
    {{"generate", "--stations", "5", "--seed", "18446744073709551616", "out.svl50"},
     "kanvio-cli: invalid value '18446744073709551616' for --seed (a number from 0 to 18446744073709551615)"},
    {{"generate", "--stations", "5", "--version", "40", "--favorites", "1", "out.svl50"},
     "kanvio-cli: version-40 tables have no favorite lists"},
    {{"import", "127.0.0.1"}, "kanvio-cli: expected two arguments"},
    {{"export", "--port", "0", "file", "127.0.0.1"}, "kanvio-cli: --port needs a port number from 1 to 65535"},
    {{"discover", "--seconds", "0"}, "kanvio-cli: --seconds needs a number from 1 to 3600"},
    {{"discover", "--target", std::string(512, 't')}, "kanvio-cli: --target needs a search target of 1 to 511 characters"},
    {{"discover", "now"}, "kanvio-cli: unexpected argument 'now'"},
    {{"reorder", "--by-name", "--reference", "r.csv", "a", "b"}, "kanvio-cli: unknown option '--by-name'"},
    {{"reorder", "a.svl50", "b.svl50"}, "kanvio-cli: --reference is required"},
};

TEST(CliUsage, MisuseExitsWithTwoTheProblemAndTheUsageAndHelpWithZero)
{
    Sandbox sandbox;
    for (const Misuse &misuse : MISUSES) {
        const CliResult result = run_cli(misuse.arguments, sandbox);
        SCOPED_TRACE(misuse.message);
        EXPECT_EQ(std::make_pair(result.exit_code, result.out), std::make_pair(2, std::string()));
        EXPECT_EQ(result.err.substr(0, result.err.find('\n')), misuse.message);
        EXPECT_NE(result.err.find("usage: kanvio-cli"), std::string::npos) << result.err;
    }
    EXPECT_EQ(access(sandbox.file("out.svl50").c_str(), F_OK), -1);
    const CliResult all = run_cli({"--help"}, sandbox), one = run_cli({"generate", "--help"}, sandbox);
    EXPECT_EQ(std::make_tuple(all.exit_code, one.exit_code, all.err + one.err), std::make_tuple(0, 0, ""));
    for (const char *command : {"\n  info FILE", "\n  dump FILE", "\n  generate --stations N", "\n  discover"})
        EXPECT_NE(all.out.find(command), std::string::npos) << command;
    EXPECT_EQ(one.out.rfind("usage: kanvio-cli generate --stations N", 0), 0u) << one.out;
}

TEST(CliInput, BadFilesExitWithOneAndOneLineNamingTheFile)
{
    Sandbox sandbox;
    mkdir(sandbox.file("folder.svl50").c_str(), 0700);
    write_file(sandbox.file("huge.svl50"), "");
    ASSERT_EQ(truncate(sandbox.file("huge.svl50").c_str(), (off_t(1) << 29) + 1), 0);  // sparse
    const std::pair<std::string, std::string> cases[] = {
        {"missing.svl50", "cannot open: No such file or directory"}, {"folder.svl50", "not a regular file"},
        {"huge.svl50", "file too large for a station table"},        {"text.svl50", "not a valid station table"},
    };
    write_file(sandbox.file("text.svl50"), "station list\n");
    for (const auto &c : cases)
        for (const char *command : {"info", "dump"})
            EXPECT_EQ(run_cli({command, sandbox.file(c.first)}, sandbox).all(),
                      std::make_tuple(1, "", "kanvio-cli: " + sandbox.file(c.first) + ": " + c.second + "\n"))
                << command;
    for (const char *command : {"info", "dump"}) {
        const CliResult full = run_cli({command, std::string(KANVIO_TEST_DATA) + "/every-kind.svl40"}, sandbox, "/dev/full");
        EXPECT_EQ(full.exit_code, 1) << command;
        EXPECT_EQ(full.err.rfind("kanvio-cli: standard output: write error", 0), 0u) << full.err;
    }
    const std::string unwritable = sandbox.file("absent/out.svl50");
    const CliResult result = run_cli({"generate", "--stations", "5", unwritable}, sandbox);
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_NE(result.err.find("kanvio-cli: " + unwritable + ": cannot write"), std::string::npos) << result.err;
}

// Compares the text with a file of tests/tools/data, or rewrites the file
// when KANVIO_UPDATE_GOLDEN=1 (after an intended change; review the diff).
void expect_golden(const std::string &text, const std::string &name)
{
    const std::string path = std::string(KANVIO_TEST_DATA) + "/" + name;
    const char *update = getenv("KANVIO_UPDATE_GOLDEN");
    if (update && std::string(update) == "1")
        write_file(path, text);
    EXPECT_TRUE(text == read_file(path)) << name << " differs; KANVIO_UPDATE_GOLDEN=1 rewrites it";
}

// A seeded table of every kind: the file the library saves, what info
// says of it and the JSON of dump, kept in tests/tools/data. The file
// pins every byte the writer gives each field; the JSON every value the
// reader takes, every name decoded from its character set and every
// escape of the output.
TEST(CliGolden, InfoAndDumpOfSeededTablesOfEveryKind)
{
    Sandbox sandbox;
    for (uint16_t version : {40, 50}) {
        const std::string name = "every-kind.svl" + std::to_string(version);
        OwnedTable table;
        ASSERT_EQ(svl_generate_table(&table.table, {26, version, version == 50 ? 3u : 0u, 40, 1938, true}), 0);
        svl_set_next_uid(1);
        ASSERT_EQ(svl_save_file(&table.table, sandbox.file(name).c_str()), 0);
        expect_golden(read_file(sandbox.file(name)), name);
        for (const char *command : {"info", "dump"}) {
            const CliResult result = run_cli({command, sandbox.file(name)}, sandbox);
            EXPECT_EQ(result.exit_code, 0) << result.err;
            expect_golden(result.out, name + "." + command);
        }
    }
}

// A favorite entry naming an unknown uid is reported on standard error,
// never inside the JSON.
TEST(CliDump, ReaderDiagnosticsStayOutOfTheOutput)
{
    Sandbox sandbox;
    write_file(sandbox.file("t.svl50"), ImageWriter()
                                            .u8(0).u8(5).u32(1).station(50, 1, "A", 7).u32(0)
                                            .u8(1).favorite(0, "F", {999}).u8(0)
                                            .bytes());
    const CliResult result = run_cli({"dump", sandbox.file("t.svl50")}, sandbox);
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.err, "***E: svl_parse_fav_list(): uid not found:  999\n");
    EXPECT_NE(result.out.find("{\"name\": \"F\", \"kind\": 3, \"attr\": 0, \"stations\": []}"), std::string::npos)
        << result.out;
}

TEST(CliGenerate, WritesTheTableTheLibraryMakes)
{
    Sandbox sandbox;
    for (uint16_t version : {40, 50}) {
        const std::string path = sandbox.file("cli.svl" + std::to_string(version));
        ASSERT_EQ(run_cli({"generate", "--stations", "77", "--version", std::to_string(version), "--favorites",
                           version == 50 ? "3" : "0", "--favorite-percent", "40", "--seed", "5", path}, sandbox).all(),
                  std::make_tuple(0, "", ""));
        OwnedTable expected;
        ASSERT_EQ(svl_generate_table(&expected.table, {77, version, version == 50 ? 3u : 0u, 40, 5}), 0);
        EXPECT_EQ(read_file(path), image_of(&expected.table));
    }
}

}  // namespace
