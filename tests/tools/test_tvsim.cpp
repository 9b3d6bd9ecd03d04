// End to end over loopback: tables copied to and from kanvio-tvsim with
// kanvio-cli, the fault modes of the set ending in the result the client
// promises, and an image the set cannot read.
#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "svl/svl_image.h"
#include "svl/svl_tv.h"
#include "tests/support/runners.h"
#include "tests/support/tables.h"
#include "tools/gen/svl_generate.h"

namespace {

void save_generated(const std::string &path, uint32_t stations, uint64_t seed)
{
    OwnedTable table;
    ASSERT_EQ(svl_generate_table(&table.table, {stations, 50, 2, 20, seed}), 0);
    ASSERT_EQ(svl_save_file(&table.table, path.c_str()), 0);
}

// The table in the file, its uids numbered alike whoever saved it.
std::string image_of_file(const std::string &path)
{
    OwnedTable table;
    EXPECT_EQ(svl_load_file(&table.table, path.c_str()), 0) << path;
    return image_of(&table.table);
}

// The set serves the file it starts with, keeps what it is sent and
// saves it; what comes back is what went out. A backup keeps what the set
// held before.
TEST(Transfer, TablesGoToTheSetAndComeBackUnchanged)
{
    Sandbox sandbox;
    save_generated(sandbox.file("start.svl50"), 25, 3);
    save_generated(sandbox.file("sent.svl50"), 40, 7);
    TvSim sim("127.0.6.1", {"--save", sandbox.file("saved.svl50"), sandbox.file("start.svl50")});
    ASSERT_TRUE(sim.wait_ready()) << sim.log();
    auto transfer = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin() + 1, {"--port", sim.port()});
        const CliResult result = run_cli(arguments, sandbox);
        EXPECT_EQ(result.exit_code, 0) << result.err;
    };
    transfer({"export", "--backup", sandbox.file("backup.svl50"), sandbox.file("sent.svl50"), "127.0.6.1"});
    EXPECT_EQ(image_of_file(sandbox.file("backup.svl50")), image_of_file(sandbox.file("start.svl50")));
    transfer({"import", "127.0.6.1", sandbox.file("back.svl50")});
    const std::string sent = image_of_file(sandbox.file("sent.svl50"));
    EXPECT_EQ(image_of_file(sandbox.file("back.svl50")), sent);
    EXPECT_EQ(image_of_file(sandbox.file("saved.svl50")), sent);
    EXPECT_EQ(sim.stop(SIGINT), 0);
    EXPECT_NE(sim.log().find("write table: stored"), std::string::npos) << sim.log();
}

// A set whose table cannot be read for the backup is not written to.
TEST(Transfer, AnUnreadableBackupStopsTheExport)
{
    Sandbox sandbox;
    save_generated(sandbox.file("sent.svl50"), 4, 7);
    TvSim sim("127.0.6.3", {"--fault", "bad-image", "--save", sandbox.file("saved.svl50"), "--generate", "3"});
    ASSERT_TRUE(sim.wait_ready()) << sim.log();
    EXPECT_EQ(run_cli({"export", "--port", sim.port(), "--backup", sandbox.file("backup.svl50"),
                       sandbox.file("sent.svl50"), "127.0.6.3"}, sandbox).all(),
              std::make_tuple(1, "",
                              "kanvio-cli: 127.0.6.3: reading the table for the backup failed; nothing exported\n"));
    EXPECT_NE(access(sandbox.file("saved.svl50").c_str(), F_OK), 0);
    EXPECT_NE(access(sandbox.file("backup.svl50").c_str(), F_OK), 0);
}

struct Fault {
    const char *mode;
    int import_result, export_result;
    bool table;  // the import gives the set's table
};

const Fault FAULTS[] = {
    {"refuse", TV_NO_CONNECTION, TV_NO_CONNECTION, false},
    {"close-on-accept", TV_TRANSFER_FAILED, TV_TRANSFER_FAILED, false},
    {"close-after-ack", TV_TRANSFER_FAILED, TV_TRANSFER_FAILED, false},
    {"bad-ack", TV_TRANSFER_FAILED, TV_TRANSFER_FAILED, false},
    {"truncated", TV_TRANSFER_FAILED, TV_TRANSFER_FAILED, false},
    {"stall", TV_TRANSFER_FAILED, TV_TRANSFER_FAILED, false},
    {"bad-status", TV_TRANSFER_FAILED, TV_TRANSFER_FAILED, false},
    {"bad-image", TV_TRANSFER_FAILED, TV_OK, false},
    {"empty-table", TV_OK, TV_OK, false},
    {"trickle", TV_OK, TV_OK, true},
    {"no-answer", TV_NO_CONNECTION, TV_NO_CONNECTION, false},
    {"mute-description", TV_OK, TV_OK, true},
};

// The command-line tool names the address and exits with 1 on failure; a
// set without a table is reported and nothing is written.
void expect_tool_report(const Fault &fault, const std::string &address, const std::string &port)
{
    Sandbox sandbox;
    const std::string out = sandbox.file("out.svl50");
    const CliResult imported = run_cli({"import", "--port", port, address, out}, sandbox);
    EXPECT_EQ(imported.exit_code, fault.import_result == TV_OK ? 0 : 1);
    EXPECT_EQ(imported.err, fault.import_result == TV_NO_CONNECTION ? "kanvio-cli: no connection to " + address + "\n"
                            : fault.import_result ? "kanvio-cli: transfer with " + address + " failed\n" : "");
    EXPECT_EQ(imported.out, fault.import_result == TV_OK && !fault.table
                                ? address + " holds no station table; " + out + " not written\n" : "");
    EXPECT_EQ(access(out.c_str(), F_OK) == 0, fault.table);
}

class SetFault : public testing::TestWithParam<Fault> {};

TEST_P(SetFault, EndsInTheResultTheClientPromises)
{
    const Fault &fault = GetParam();
    int host = 1;  // an address per mode, so that the modes can run side by side
    while (strcmp(FAULTS[host - 1].mode, fault.mode) != 0)
        ++host;
    const std::string address = "127.0.7." + std::to_string(host);
    TvSim sim(address, {"--fault", fault.mode, "--generate", "3"});
    ASSERT_TRUE(sim.wait_ready()) << sim.log();
    OwnedTable target, table;
    EXPECT_EQ(svl_import_from_tv_with(&target.table, address.c_str(), sim.options()), fault.import_result);
    EXPECT_EQ(target->list_count, fault.table ? 6u : 0u);
    ASSERT_EQ(svl_generate_table(&table.table, {3, 50, 2, 20, 5}), 0);
    EXPECT_EQ(svl_export_to_tv_with(&table.table, address.c_str(), sim.options()), fault.export_result);

    // The tool would wait a minute for the stalled set, ten seconds for the
    // unanswered connect.
    if (strcmp(fault.mode, "stall") != 0 && strcmp(fault.mode, "no-answer") != 0)
        expect_tool_report(fault, address, sim.port());
    EXPECT_EQ(sim.stop(SIGTERM), 0) << sim.log();
}

INSTANTIATE_TEST_SUITE_P(Modes, SetFault, testing::ValuesIn(FAULTS), [](const testing::TestParamInfo<Fault> &info) {
    std::string name = info.param.mode;
    for (char &c : name)
        c = c == '-' ? '_' : c;
    return name;
});

// An image the set cannot read is refused; the set keeps its table and
// serves the next request.
TEST(SetRequests, TheSetRefusesAnImageItCannotReadAndGoesOn)
{
    TvSim sim("127.0.6.2", {"--generate", "5"});
    ASSERT_TRUE(sim.wait_ready());
    tv_connection connection;
    ASSERT_EQ(tv_connect_with(&connection, "127.0.6.2", TV_UNIT, sim.options()), 0);
    const uint8_t junk[] = {0x09, 0x00, 0x01};
    ASSERT_EQ(tv_request(&connection, TV_COMMAND_WRITE_TABLE, junk, sizeof junk), 0);
    uint8_t *status = nullptr;
    size_t length = 0;
    ASSERT_EQ(tv_read_data(&connection, &status, &length), 0);
    EXPECT_EQ(std::vector<uint8_t>(status, status + length), (std::vector<uint8_t>{0x00, 0x01}));
    tv_free_payload(status);
    tv_close(&connection);
    OwnedTable table;
    EXPECT_EQ(svl_import_from_tv_with(&table.table, "127.0.6.2", sim.options()), TV_OK);
    EXPECT_EQ(table->list_count, 6u);
    EXPECT_EQ(sim.stop(SIGTERM), 0);

    for (const std::vector<std::string> &wrong : std::vector<std::vector<std::string>>{
             {}, {"--fault", "no-such-fault", "--generate", "5"}, {"--port", "70000", "--generate", "5"}}) {
        TvSim refused(wrong);
        EXPECT_FALSE(refused.wait_ready());
        EXPECT_EQ(refused.stop(SIGTERM), 2) << refused.log();
    }
}

}  // namespace
