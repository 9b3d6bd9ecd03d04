// kanvio-cli: usage, exit statuses, error lines, info and generate.
#include <gtest/gtest.h>

#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

#include "svl/svl_ops.h"
#include "svl/svl_image.h"
#include "tests/tools/cli_runner.h"
#include "tools/gen/svl_generate.h"

namespace {

class Cli : public testing::Test {
protected:
    ScratchFolder folder;

    CliResult run(const std::vector<std::string> &arguments) { return run_cli(arguments, folder.path()); }

    // Writes a generated table to name and returns its path.
    std::string generated_file(const std::string &name, uint32_t stations, uint16_t version, uint32_t favorites)
    {
        svl_generate_options options;
        options.stations = stations;
        options.version = version;
        options.favorites = favorites;
        options.seed = stations;
        svl_table table = {};
        EXPECT_EQ(svl_generate_table(&table, options), 0);
        std::string path = folder.file(name);
        EXPECT_EQ(svl_save_file(&table, path.c_str()), 0);
        svl_free_table(&table, 1);
        return path;
    }

    bool exists(const std::string &name)
    {
        struct stat info;
        return stat(folder.file(name).c_str(), &info) == 0;
    }
};

struct Misuse {
    std::vector<std::string> arguments;
    std::string message;  // the first line on standard error
};

void PrintTo(const Misuse &misuse, std::ostream *out)
{
    *out << "kanvio-cli";
    for (const std::string &argument : misuse.arguments)
        *out << " '" << argument << "'";
}

class CliMisuse : public Cli, public testing::WithParamInterface<Misuse> {};

TEST_P(CliMisuse, ExitsWithTwoTheProblemAndTheUsage)
{
    CliResult result = run(GetParam().arguments);
    EXPECT_EQ(result.exit_code, 2);
    EXPECT_EQ(result.err.substr(0, result.err.find('\n')), GetParam().message);
    EXPECT_NE(result.err.find("usage: kanvio-cli"), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(exists("out.svl50"));
}

const Misuse MISUSES[] = {
    {{}, "usage: kanvio-cli COMMAND ARGUMENTS..."},
    {{"frobnicate"}, "kanvio-cli: unknown command 'frobnicate'"},
    {{"info"}, "kanvio-cli: missing FILE"},
    {{"dump", "a.svl50", "b.svl50"}, "kanvio-cli: too many arguments"},
    {{"dump", "--pretty"}, "kanvio-cli: unknown option '--pretty'"},
    {{"generate", "out.svl50"}, "kanvio-cli: --stations is required"},
    {{"generate", "--stations", "10"}, "kanvio-cli: missing OUT file"},
    {{"generate", "--stations", "10", "out.svl50", "other.svl50"}, "kanvio-cli: more than one OUT file"},
    {{"generate", "out.svl50", "--stations"}, "kanvio-cli: --stations needs a value"},
    {{"generate", "--stations", "-1", "out.svl50"},
     "kanvio-cli: invalid value '-1' for --stations (a number from 0 to 1000000)"},
    {{"generate", "--stations", "1000001", "out.svl50"},
     "kanvio-cli: invalid value '1000001' for --stations (a number from 0 to 1000000)"},
    {{"generate", "--stations", "12x", "out.svl50"},
     "kanvio-cli: invalid value '12x' for --stations (a number from 0 to 1000000)"},
    {{"generate", "--stations", " 12", "out.svl50"},
     "kanvio-cli: invalid value ' 12' for --stations (a number from 0 to 1000000)"},
    {{"generate", "--stations", "", "out.svl50"},
     "kanvio-cli: invalid value '' for --stations (a number from 0 to 1000000)"},
    {{"generate", "--stations", "5", "--version", "45", "out.svl50"}, "kanvio-cli: --version must be 40 or 50"},
    {{"generate", "--stations", "5", "--version", "60", "out.svl50"}, "kanvio-cli: --version must be 40 or 50"},
    {{"generate", "--stations", "5", "--version", "65536", "out.svl50"},
     "kanvio-cli: invalid value '65536' for --version (a number from 0 to 65535)"},
    {{"generate", "--stations", "5", "--favorites", "9", "out.svl50"},
     "kanvio-cli: invalid value '9' for --favorites (a number from 0 to 8)"},
    {{"generate", "--stations", "5", "--favorite-percent", "101", "out.svl50"},
     "kanvio-cli: invalid value '101' for --favorite-percent (a number from 0 to 100)"},
    {{"generate", "--stations", "5", "--seed", "18446744073709551616", "out.svl50"},
     "kanvio-cli: invalid value '18446744073709551616' for --seed (a number from 0 to 18446744073709551615)"},
    {{"generate", "--stations", "5", "--version", "40", "--favorites", "1", "out.svl50"},
     "kanvio-cli: version-40 tables have no favorite lists"},
    {{"generate", "--stations", "5", "--colour", "red", "out.svl50"}, "kanvio-cli: unknown option '--colour'"},
};

INSTANTIATE_TEST_SUITE_P(Arguments, CliMisuse, testing::ValuesIn(MISUSES));

TEST_F(Cli, HelpGoesToStandardOutputWithSuccess)
{
    CliResult all = run({"--help"});
    EXPECT_EQ(all.exit_code, 0);
    EXPECT_EQ(all.err, "");
    for (const char *command : {"\n  info FILE", "\n  dump FILE", "\n  generate --stations N"})
        EXPECT_NE(all.out.find(command), std::string::npos) << command;

    CliResult one = run({"generate", "--help"});
    EXPECT_EQ(one.exit_code, 0);
    EXPECT_EQ(one.out.rfind("usage: kanvio-cli generate --stations N", 0), 0u) << one.out;
    EXPECT_FALSE(exists("--help"));
}

struct BadInput {
    std::string name;
    std::string content;  // written to the file unless empty and name is a folder or missing
    std::string problem;
};

void PrintTo(const BadInput &bad, std::ostream *out)
{
    *out << bad.name;
}

class CliBadInput : public Cli, public testing::WithParamInterface<BadInput> {};

TEST_P(CliBadInput, ExitsWithOneAndOneErrorLineNamingTheFile)
{
    const BadInput &bad = GetParam();
    std::string path = folder.file(bad.name);
    if (bad.name == "folder.svl50")
        mkdir(path.c_str(), 0700);
    else if (bad.name != "missing.svl50")
        write_file_bytes(path, bad.content);
    for (const char *command : {"info", "dump"}) {
        CliResult result = run({command, path});
        EXPECT_EQ(result.exit_code, 1) << command;
        EXPECT_EQ(result.err, "kanvio-cli: " + path + ": " + bad.problem + "\n") << command;
        EXPECT_EQ(result.out, "") << command;
    }
}

const BadInput BAD_INPUTS[] = {
    {"missing.svl50", "", "cannot open: No such file or directory"},
    {"folder.svl50", "", "not a regular file"},
    {"empty.svl50", "", "not a valid station table"},
    {"text.svl50", "station list\n", "not a valid station table"},
    {"version60.svl50", std::string("\0\6\0\0\0\0\0\0\0\0", 10), "not a valid station table"},
    // one TV station announced, none there
    {"truncated.svl50", std::string("\0\5\1\0\0\0", 6), "not a valid station table"},
};

INSTANTIATE_TEST_SUITE_P(Files, CliBadInput, testing::ValuesIn(BAD_INPUTS));

TEST_F(Cli, RefusesFilesTooLargeForAStationTable)
{
    std::string path = folder.file("huge.svl50");
    write_file_bytes(path, "");
    ASSERT_EQ(truncate(path.c_str(), (off_t(1) << 29) + 1), 0);  // sparse: takes no disk space
    CliResult result = run({"dump", path});
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.err, "kanvio-cli: " + path + ": file too large for a station table\n");
}

TEST_F(Cli, TruncatedRealFileIsInvalid)
{
    std::string path = generated_file("whole.svl50", 30, 50, 2);
    std::string bytes = read_file_bytes(path);
    write_file_bytes(path, bytes.substr(0, bytes.size() / 2));
    CliResult result = run({"info", path});
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.err, "kanvio-cli: " + path + ": not a valid station table\n");
}

TEST_F(Cli, GenerateReportsAFailedWriteWithOne)
{
    std::string path = folder.file("no-such-folder/out.svl50");
    CliResult result = run({"generate", "--stations", "5", path});
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_NE(result.err.find("kanvio-cli: " + path + ": cannot write"), std::string::npos) << result.err;
}

TEST_F(Cli, InfoCountsStationsAndFavoriteLists)
{
    std::string path = generated_file("table.svl50", 120, 50, 3);
    svl_table table = {};
    ASSERT_EQ(svl_load_file(&table, path.c_str()), 0);
    std::string expected = "version: 50\nTV stations: " + std::to_string(table.lists[0]->count) +
                           "\nradio stations: " + std::to_string(table.lists[1]->count) + "\nfavorite lists: 6\n";
    for (uint32_t i = 2; i < table.list_count; i++) {
        const svl_list *list = table.lists[i];
        expected += std::string(list->kind == SVL_KIND_TV_FAV ? "TV" : "radio") + " favorite list \"" + list->name +
                    "\": " + std::to_string(list->count) + (list->count == 1 ? " station\n" : " stations\n");
    }
    svl_free_table(&table, 1);

    CliResult result = run({"info", path});
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, expected);
}

TEST_F(Cli, InfoShowsControlBytesOfListNamesEscaped)
{
    svl_table table = {};
    ASSERT_EQ(svl_init_table(&table, SVL_VERSION_50), 0);
    svl_append_list(&table, svl_new_list("Tab\there\x7f", SVL_KIND_RADIO_FAV, SVL_ATTR_FAVORITE));
    std::string path = folder.file("names.svl50");
    ASSERT_EQ(svl_save_file(&table, path.c_str()), 0);
    svl_free_table(&table, 1);

    CliResult result = run({"info", path});
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_NE(result.out.find("radio favorite list \"Tab\\x09here\\x7f\": 0 stations\n"), std::string::npos)
        << result.out;
}

TEST_F(Cli, InfoOfAVersionFortyTable)
{
    svl_table table = {};
    ASSERT_EQ(svl_init_table(&table, SVL_VERSION_40), 0);
    svl_station *station = svl_new_station(SVL_VERSION_40);
    station->ProgramDataByte = 6;
    svl_append_station(table.lists[1], station);
    std::string path = folder.file("one.svl40");
    ASSERT_EQ(svl_save_file(&table, path.c_str()), 0);
    svl_free_table(&table, 1);

    CliResult result = run({"info", path});
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.out, "version: 40\nTV stations: 0\nradio stations: 1\nfavorite lists: 0\n");
}

TEST_F(Cli, GenerateWritesTheTableTheLibraryMakes)
{
    CliResult result = run({"generate", "--stations", "77", "--favorites", "3", "--favorite-percent", "40",
                            "--seed", "5", folder.file("cli.svl50")});
    ASSERT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out + result.err, "");

    svl_generate_options options;
    options.stations = 77;
    options.favorites = 3;
    options.favorite_percent = 40;
    options.seed = 5;
    svl_table expected = {};
    ASSERT_EQ(svl_generate_table(&expected, options), 0);
    svl_table loaded = {};
    ASSERT_EQ(svl_load_file(&loaded, folder.file("cli.svl50").c_str()), 0);
    ASSERT_EQ(loaded.list_count, expected.list_count);
    for (uint32_t l = 0; l < loaded.list_count; l++) {
        EXPECT_STREQ(loaded.lists[l]->name, expected.lists[l]->name);
        ASSERT_EQ(loaded.lists[l]->count, expected.lists[l]->count);
    }
    for (uint32_t l = 0; l < 2; l++)
        for (uint32_t i = 0; i < loaded.lists[l]->count; i++)
            EXPECT_STREQ(loaded.lists[l]->stations[i]->name, expected.lists[l]->stations[i]->name);
    svl_free_table(&expected, 1);
    svl_free_table(&loaded, 1);
}

TEST_F(Cli, GenerateVersionFortyWritesAVersionFortyTable)
{
    CliResult result = run({"generate", "--stations", "50", "--version", "40", folder.file("t.svl40")});
    ASSERT_EQ(result.exit_code, 0) << result.err;
    svl_table table = {};
    ASSERT_EQ(svl_load_file(&table, folder.file("t.svl40").c_str()), 0);
    EXPECT_EQ(table.version, 40);
    EXPECT_EQ(table.list_count, 2u);
    EXPECT_EQ(table.lists[0]->count + table.lists[1]->count, 50u);
    svl_free_table(&table, 1);
}

}  // namespace
