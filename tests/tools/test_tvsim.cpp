// kanvio-tvsim as a separate program on loopback, driven through the
// library's import and export: round trips, tables from files, and every
// fault mode ending in exactly the result the client promises.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "svl/svl_image.h"
#include "svl/svl_internal.h"
#include "svl/svl_ops.h"
#include "svl/svl_tv.h"
#include "tools/gen/svl_generate.h"

namespace {

using bytes = std::vector<uint8_t>;

const int SHORT_WAIT_MS = 300;

// A running kanvio-tvsim whose standard error the test reads. The port is
// the one the program reports once it is ready.
class TvSim {
public:
    explicit TvSim(const std::vector<std::string> &arguments)
    {
        int err[2];
        if (pipe(err) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(err[1], STDERR_FILENO);
            close(err[0]);
            close(err[1]);
            std::vector<char *> argv{const_cast<char *>(KANVIO_TVSIM)};
            for (const std::string &a : arguments)
                argv.push_back(const_cast<char *>(a.c_str()));
            argv.push_back(nullptr);
            execv(KANVIO_TVSIM, argv.data());
            _exit(127);
        }
        close(err[1]);
        stderr_ = err[0];
    }

    ~TvSim()
    {
        if (pid_ > 0)
            stop(SIGKILL);
        if (stderr_ >= 0)
            close(stderr_);
    }

    // Reads standard error until the ready line ("... on ADDR:PORT"). False
    // when the program ends or says nothing for ten seconds.
    bool wait_ready()
    {
        for (;;) {
            size_t end = log_.find('\n');
            while (end != std::string::npos) {
                std::string line = log_.substr(0, end);
                size_t on = line.find(" on ");
                size_t colon = line.rfind(':');
                if (on != std::string::npos && colon != std::string::npos && colon > on) {
                    options_.port = static_cast<uint16_t>(atoi(line.c_str() + colon + 1));
                    return true;
                }
                end = log_.find('\n', end + 1);
            }
            if (!read_some(10000))
                return false;
        }
    }

    // Sends the signal and returns the exit status, or -1 when the program
    // did not exit normally.
    int stop(int signal_number = SIGTERM)
    {
        kill(pid_, signal_number);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        while (read_some(10000)) {
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    const tv_options *options() { return &options_; }
    const std::string &log() const { return log_; }

private:
    bool read_some(int wait_ms)
    {
        pollfd entry = {stderr_, POLLIN, 0};
        char buffer[4096];
        if (poll(&entry, 1, wait_ms) <= 0)
            return false;
        ssize_t n = read(stderr_, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        log_.append(buffer, static_cast<size_t>(n));
        return true;
    }

    pid_t pid_ = -1;
    int stderr_ = -1;
    std::string log_;
    tv_options options_ = {0, SHORT_WAIT_MS};
};

std::vector<std::string> sim_arguments(const char *address, std::vector<std::string> more)
{
    std::vector<std::string> arguments{"--address", address, "--port", "0"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

void generate(svl_table *table, uint32_t stations, uint64_t seed)
{
    svl_generate_options options;
    options.stations = stations;
    options.seed = seed;
    ASSERT_EQ(svl_generate_table(table, options), 0);
}

// The table's image with uids numbered from a fixed start, so two tables
// with the same content give the same bytes.
bytes image_of(svl_table *table)
{
    svl_set_next_uid(1000);
    size_t length = 0;
    uint8_t *image = svl_build_table(table, &length);
    bytes result = image ? bytes(image, image + length) : bytes();
    svl_free_image(image);
    return result;
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
    EXPECT_NE(sim.log().find("read table: sent"), std::string::npos) << sim.log();
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
    EXPECT_EQ(sim.stop(), 0);
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
    EXPECT_EQ(sim.stop(), 0);
    svl_free_table(&before, 1);
    svl_free_table(&after, 1);
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
        EXPECT_EQ(sim.stop(), 2) << sim.log();
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

    EXPECT_EQ(sim.stop(), 0) << sim.log();
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
