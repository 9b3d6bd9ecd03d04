// kanvio-cli import and export against kanvio-tvsim on loopback.
#include <csignal>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "tests/tools/cli_runner.h"
#include "tests/tools/tvsim_runner.h"
#include "tools/gen/svl_generate.h"

namespace {

bool file_exists(const std::string &path)
{
    return access(path.c_str(), F_OK) == 0;
}

TEST(CliTransfer, ExportedFileComesBackByImport)
{
    ScratchFolder folder;
    svl_table table = {};
    svl_generate_options options;
    options.stations = 30;
    options.seed = 11;
    ASSERT_EQ(svl_generate_table(&table, options), 0);
    ASSERT_EQ(svl_save_file(&table, folder.file("sent.svl50").c_str()), 0);
    TvSim sim(sim_arguments("127.0.6.40", {"--generate", "5"}));
    ASSERT_TRUE(sim.wait_ready());
    const std::string port = std::to_string(sim.port());

    CliResult exported = run_cli({"export", "--port", port, folder.file("sent.svl50"), "127.0.6.40"}, folder.path());
    EXPECT_EQ(exported.exit_code, 0) << exported.err;
    CliResult imported = run_cli({"import", "127.0.6.40", folder.file("back.svl50"), "--port", port}, folder.path());
    ASSERT_EQ(imported.exit_code, 0) << imported.err;

    svl_table back = {};
    ASSERT_EQ(svl_load_file(&back, folder.file("back.svl50").c_str()), 0);
    EXPECT_EQ(image_of(&back), image_of(&table));
    EXPECT_EQ(sim.stop(SIGTERM), 0);
    svl_free_table(&table, 1);
    svl_free_table(&back, 1);
}

TEST(CliTransfer, SetWithoutTableIsReportedAndNothingWritten)
{
    ScratchFolder folder;
    TvSim sim(sim_arguments("127.0.6.41", {"--fault", "empty-table", "--generate", "5"}));
    ASSERT_TRUE(sim.wait_ready());
    CliResult imported = run_cli({"import", "--port", std::to_string(sim.port()), "127.0.6.41", folder.file("out.svl50")},
                                 folder.path());
    EXPECT_EQ(imported.exit_code, 0) << imported.err;
    EXPECT_NE(imported.out.find("127.0.6.41 holds no station table"), std::string::npos) << imported.out;
    EXPECT_FALSE(file_exists(folder.file("out.svl50")));
}

struct FailureCase {
    const char *name;
    const char *fault;
    const char *address;
    const char *message;
};

void PrintTo(const FailureCase &c, std::ostream *out)
{
    *out << c.name;
}

class CliTransferFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(CliTransferFailure, NamesTheAddressAndExitsWithOne)
{
    const FailureCase &c = GetParam();
    ScratchFolder folder;
    svl_table table = {};
    ASSERT_EQ(svl_init_table(&table, SVL_VERSION_50), 0);
    ASSERT_EQ(svl_save_file(&table, folder.file("table.svl50").c_str()), 0);
    svl_free_table(&table, 1);
    TvSim sim(sim_arguments(c.address, {"--fault", c.fault, "--generate", "5"}));
    ASSERT_TRUE(sim.wait_ready());
    const std::string port = std::to_string(sim.port());
    const std::string expected = std::string("kanvio-cli: ") + c.message + "\n";

    CliResult imported = run_cli({"import", "--port", port, c.address, folder.file("out.svl50")}, folder.path());
    EXPECT_EQ(imported.exit_code, 1);
    EXPECT_EQ(imported.err, expected);
    EXPECT_FALSE(file_exists(folder.file("out.svl50")));

    CliResult exported = run_cli({"export", "--port", port, folder.file("table.svl50"), c.address}, folder.path());
    EXPECT_EQ(exported.exit_code, 1);
    EXPECT_EQ(exported.err, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, CliTransferFailure,
    testing::Values(FailureCase{"no_connection", "refuse", "127.0.6.42", "no connection to 127.0.6.42"},
                    FailureCase{"transfer_failed", "bad-unit", "127.0.6.43", "transfer with 127.0.6.43 failed"}),
    [](const testing::TestParamInfo<FailureCase> &info) { return info.param.name; });

TEST(CliTransfer, WrongArgumentsAreUsageErrors)
{
    ScratchFolder folder;
    const std::vector<std::vector<std::string>> wrong = {
        {"import", "127.0.0.1"},
        {"import", "127.0.0.1", "a", "b"},
        {"export", "--port", "0", "file", "127.0.0.1"},
        {"export", "file", "127.0.0.1", "--port"},
    };
    for (const auto &arguments : wrong)
        EXPECT_EQ(run_cli(arguments, folder.path()).exit_code, 2) << arguments[0] << " " << arguments[1];
}

}  // namespace
