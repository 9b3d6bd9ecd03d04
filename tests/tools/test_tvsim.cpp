// kanvio-tvsim as a separate program on loopback, driven through the
// library's import and export: round trips, tables from files, and every
// fault mode ending in exactly the result the client promises.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "svl/svl_tv.h"
#include "tools/gen/svl_generate.h"
#include "tests/tools/tvsim_runner.h"

namespace {

using bytes = std::vector<uint8_t>;

void generate(svl_table *table, uint32_t stations, uint64_t seed)
{
    svl_generate_options options;
    options.stations = stations;
    options.seed = seed;
    ASSERT_EQ(svl_generate_table(table, options), 0);
}

std::string temp_path(const char *name)
{
    return testing::TempDir() + "tvsim_" + std::to_string(getpid()) + "_" + name;
}

TEST(TvSim, ExportedTableComesBackAndIsSaved)
{
    const std::string saved = temp_path("saved.svl50");
    TvSim sim(sim_arguments("127.0.5.10", {"--save", saved, "--generate", "20"}));
    ASSERT_TRUE(sim.wait_ready());
    svl_table sent = {};
    generate(&sent, 40, 7);
    ASSERT_EQ(svl_export_to_tv_with(&sent, "127.0.5.10", sim.options()), TV_OK);
    svl_table received = {};
    ASSERT_EQ(svl_import_from_tv_with(&received, "127.0.5.10", sim.options()), TV_OK);
    EXPECT_EQ(image_of(&received), image_of(&sent));
    svl_table from_file = {};
    ASSERT_EQ(svl_load_file(&from_file, saved.c_str()), 0);
    EXPECT_EQ(image_of(&from_file), image_of(&sent));
    EXPECT_EQ(sim.stop(SIGINT), 0);
    EXPECT_NE(sim.log().find("write table: stored"), std::string::npos) << sim.log();
    EXPECT_NE(sim.log().find("read table: "), std::string::npos) << sim.log();
    svl_free_table(&sent, 1);
    svl_free_table(&received, 1);
    svl_free_table(&from_file, 1);
    remove(saved.c_str());
}

TEST(TvSim, ServesTheTableFileItWasGiven)
{
    const std::string path = temp_path("start.svl50");
    svl_table table = {};
    generate(&table, 25, 3);
    ASSERT_EQ(svl_save_file(&table, path.c_str()), 0);
    TvSim sim(sim_arguments("127.0.5.11", {path}));
    ASSERT_TRUE(sim.wait_ready());
    svl_table received = {};
    ASSERT_EQ(svl_import_from_tv_with(&received, "127.0.5.11", sim.options()), TV_OK);
    EXPECT_EQ(image_of(&received), image_of(&table));
    EXPECT_EQ(sim.stop(SIGTERM), 0);
    svl_free_table(&table, 1);
    svl_free_table(&received, 1);
    remove(path.c_str());
}

TEST(TvSim, RefusesAnInvalidImageAndKeepsItsTable)
{
    TvSim sim(sim_arguments("127.0.5.12", {"--generate", "5"}));
    ASSERT_TRUE(sim.wait_ready());
    svl_table before = {};
    ASSERT_EQ(svl_import_from_tv_with(&before, "127.0.5.12", sim.options()), TV_OK);
    tv_connection connection;
    ASSERT_EQ(tv_connect_with(&connection, "127.0.5.12", TV_UNIT, sim.options()), 0);
    const uint8_t junk[] = {0x09, 0x00, 0x01};
    ASSERT_EQ(tv_request(&connection, TV_COMMAND_WRITE_TABLE, junk, sizeof junk), 0);
    uint8_t *status = nullptr;
    size_t length = 0;
    ASSERT_EQ(tv_read_data(&connection, &status, &length), 0);
    EXPECT_EQ(bytes(status, status + length), (bytes{0x00, 0x01}));
    tv_free_payload(status);
    tv_close(&connection);
    svl_table after = {};
    ASSERT_EQ(svl_import_from_tv_with(&after, "127.0.5.12", sim.options()), TV_OK);
    EXPECT_EQ(image_of(&after), image_of(&before));
    EXPECT_EQ(sim.stop(SIGTERM), 0);
    svl_free_table(&before, 1);
    svl_free_table(&after, 1);
}

// A request the set does not serve ends its connection without an answer;
// the set goes on serving the next one.
TEST(TvSim, HangsUpOnRequestsItDoesNotServe)
{
    TvSim sim(sim_arguments("127.0.5.13", {"--generate", "5"}));
    ASSERT_TRUE(sim.wait_ready());
    const std::vector<bytes> requests = {
        {0x00, 0x00, 0x00, 0x07, 0x01, 0x48, 0x00, 0x00, 0x02, 0x00, 0xEA},  // not 'G'
        {0x00, 0x00, 0x00, 0x07, 0x02, 0x47, 0x00, 0x00, 0x02, 0x00, 0xEA},  // not 0x01
        {0x00, 0x00, 0x00, 0x03, 0x01, 0x47, 0x00, 0x00, 0x02, 0x00, 0xEA},  // length below 7
        {0x04, 0x00, 0x00, 0x08, 0x01, 0x47, 0x00, 0x00, 0x02, 0x00, 0xEB},  // above 64 MiB
        {0x00, 0x00, 0x00, 0x07, 0x01, 0x47, 0x00, 0x00, 0x01, 0x00, 0xEA},  // unit 1
        {0x00, 0x00, 0x00, 0x07, 0x01, 0x47, 0x00, 0x00, 0x02, 0x00, 0xEC},  // command 236
    };
    for (const bytes &request : requests) {
        tv_connection connection;
        ASSERT_EQ(tv_connect_with(&connection, "127.0.5.13", TV_UNIT, sim.options()), 0);
        ASSERT_EQ(tv_send_all(connection.socket, request.data(), request.size(), 1000), 0);
        uint8_t byte = 0;
        EXPECT_EQ(tv_recv_exact(connection.socket, &byte, 1, 5000), -1);
        tv_close(&connection);
    }
    svl_table table = {};
    EXPECT_EQ(svl_import_from_tv_with(&table, "127.0.5.13", sim.options()), TV_OK);
    EXPECT_EQ(table.list_count, 6u);
    svl_free_table(&table, 1);
    EXPECT_EQ(sim.stop(SIGTERM), 0);
}

TEST(TvSim, RejectsWrongArguments)
{
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"--generate", "5", "table.svl50"},
        {"--fault", "no-such-fault", "--generate", "5"},
        {"--port", "70000", "--generate", "5"},
        {"--generate"},
    };
    for (const auto &arguments : wrong) {
        TvSim sim(arguments);
        EXPECT_FALSE(sim.wait_ready());
        EXPECT_EQ(sim.stop(SIGTERM), 2) << sim.log();
    }
}

// ---- fault modes ----

struct FaultCase {
    const char *fault;
    const char *address;  // one per case, so the cases can run in parallel
    int import_result;
    int export_result;
    bool import_gives_table;
};

void PrintTo(const FaultCase &c, std::ostream *out)
{
    *out << c.fault;
}

class TvSimFault : public testing::TestWithParam<FaultCase> {};

TEST_P(TvSimFault, EndsInTheResultTheClientPromises)
{
    const FaultCase &c = GetParam();
    const std::string address = c.address;
    TvSim sim(sim_arguments(address.c_str(), {"--fault", c.fault, "--generate", "3"}));
    ASSERT_TRUE(sim.wait_ready()) << sim.log();

    svl_table target = {};
    EXPECT_EQ(svl_import_from_tv_with(&target, address.c_str(), sim.options()), c.import_result);
    // A generated table: two base lists and two favorite lists per medium.
    EXPECT_EQ(target.list_count, c.import_gives_table ? 6u : 0u);
    svl_free_table(&target, 1);

    svl_table table = {};
    generate(&table, 3, 5);
    EXPECT_EQ(svl_export_to_tv_with(&table, address.c_str(), sim.options()), c.export_result);
    svl_free_table(&table, 1);

    EXPECT_EQ(sim.stop(SIGTERM), 0) << sim.log();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, TvSimFault,
    testing::Values(FaultCase{"none", "127.0.6.1", TV_OK, TV_OK, true},
                    FaultCase{"refuse", "127.0.6.2", TV_NO_CONNECTION, TV_NO_CONNECTION, false},
                    FaultCase{"close-on-accept", "127.0.6.3", TV_TRANSFER_FAILED, TV_TRANSFER_FAILED, false},
                    FaultCase{"close-after-ack", "127.0.6.4", TV_TRANSFER_FAILED, TV_TRANSFER_FAILED, false},
                    FaultCase{"bad-header", "127.0.6.5", TV_TRANSFER_FAILED, TV_TRANSFER_FAILED, false},
                    FaultCase{"bad-unit", "127.0.6.6", TV_TRANSFER_FAILED, TV_TRANSFER_FAILED, false},
                    FaultCase{"bad-ack", "127.0.6.7", TV_TRANSFER_FAILED, TV_TRANSFER_FAILED, false},
                    FaultCase{"bad-data-code", "127.0.6.8", TV_TRANSFER_FAILED, TV_TRANSFER_FAILED, false},
                    FaultCase{"short-length", "127.0.6.9", TV_TRANSFER_FAILED, TV_TRANSFER_FAILED, false},
                    FaultCase{"oversized", "127.0.6.10", TV_TRANSFER_FAILED, TV_TRANSFER_FAILED, false},
                    FaultCase{"truncated", "127.0.6.11", TV_TRANSFER_FAILED, TV_TRANSFER_FAILED, false},
                    FaultCase{"stall", "127.0.6.12", TV_TRANSFER_FAILED, TV_TRANSFER_FAILED, false},
                    FaultCase{"bad-status", "127.0.6.13", TV_TRANSFER_FAILED, TV_TRANSFER_FAILED, false},
                    FaultCase{"bad-image", "127.0.6.14", TV_TRANSFER_FAILED, TV_OK, false},
                    FaultCase{"empty-table", "127.0.6.15", TV_OK, TV_OK, false},
                    FaultCase{"trickle", "127.0.6.16", TV_OK, TV_OK, true}),
    [](const testing::TestParamInfo<FaultCase> &info) {
        std::string name = info.param.fault;
        for (char &ch : name)
            if (ch == '-')
                ch = '_';
        return name;
    });

}  // namespace
