// Discovery end to end: the engine finds a kanvio-tvsim started with
// --ssdp, reads its name from its description, and loses it at its byebye.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <memory>
#include <string>
#include <vector>
#include <unistd.h>

#include "net/upnp.h"
#include "ssdp_test_support.h"
#include "tests/tools/cli_runner.h"
#include "tests/tools/tvsim_runner.h"

namespace {

const int TEST_WAIT_MS = 50;

// What the set reports it is found as.
struct discoverable {
    std::string udn;
    std::string location;
};

// Starts a discoverable set named name; false when it never became ready.
bool start_set(std::unique_ptr<TvSim> &set, const std::string &name, bool chunked)
{
    std::vector<std::string> more{"--ssdp", "--name", name, "--http-port", "0", "--generate", "3"};
    if (chunked)
        more.push_back("--chunked");
    set.reset(new TvSim(sim_arguments("127.0.0.1", more)));
    return set->wait_ready();
}

// Reads "discoverable as UDN at LOCATION" from the set's log.
discoverable found_as(const TvSim &set)
{
    const std::string &log = set.log();
    size_t as = log.find("discoverable as ");
    size_t at = log.find(" at ", as);
    size_t end = log.find('\n', at);
    if (as == std::string::npos || at == std::string::npos || end == std::string::npos)
        return {};
    as += strlen("discoverable as ");
    return {log.substr(as, at - as), log.substr(at + 4, end - at - 4)};
}

std::string tv_usn(const discoverable &set)
{
    return set.udn + "::" + SSDP_TV_DEVICE_TYPE;
}

// A set name of this process, so that sets of tests running side by side
// are told apart.
std::string set_name(const char *what)
{
    return std::string("Test set ") + what + " " + std::to_string(getpid());
}

std::string cached_location(ssdp_engine *engine, const std::string &usn)
{
    std::string location;
    if (ssdp_lock(engine) != 0)
        return location;
    for (const ssdp_device *device = engine->devices; device; device = device->next)
        if (usn == device->usn)
            location = device->location;
    ssdp_unlock(engine);
    return location;
}

class SsdpTvsim : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { REQUIRE_NETNS(); }
    void TearDown() override { ssdp_stop(&engine); }

    ssdp_engine engine = {};
    ssdp_recorder recorder;
    std::unique_ptr<TvSim> set;
};

TEST_P(SsdpTvsim, SearchFindsTheSetAndItsNameUntilItLeaves)
{
    const bool chunked = GetParam();
    const std::string name = set_name(chunked ? "chunked" : "plain");
    ASSERT_TRUE(start_set(set, name, chunked)) << set->log();
    discoverable tv = found_as(*set);
    ASSERT_FALSE(tv.udn.empty()) << set->log();

    ASSERT_EQ(ssdp_start(&engine, TEST_WAIT_MS), 0);
    ASSERT_TRUE(recorder.attach(&engine));
    ASSERT_EQ(ssdp_search(&engine, SSDP_TV_DEVICE_TYPE, 1), 0);
    ASSERT_TRUE(recorder.wait_for('a', tv_usn(tv))) << set->log();
    const std::string location = cached_location(&engine, tv_usn(tv));
    EXPECT_EQ(location, tv.location);

    upnp_description description = {};
    ASSERT_EQ(upnp_fetch_description(&description, location.c_str()), 0);
    ASSERT_NE(description.friendlyName, nullptr);
    EXPECT_EQ(std::string(description.friendlyName), name);
    EXPECT_STREQ(description.deviceType, SSDP_TV_DEVICE_TYPE);
    EXPECT_EQ(std::string(description.UDN), tv.udn);
    ASSERT_NE(description.services, nullptr);
    EXPECT_NE(description.services->actions, nullptr);  // the service description was read too
    upnp_free_description(&description);

    EXPECT_EQ(set->stop(SIGTERM), 0);
    ASSERT_TRUE(recorder.wait_for('r', tv_usn(tv))) << set->log();
    EXPECT_EQ(cached_location(&engine, tv_usn(tv)), "");
}

INSTANTIATE_TEST_SUITE_P(Transfer, SsdpTvsim, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return std::string(info.param ? "Chunked" : "ContentLength");
                         });

// The set starts after the search went out, so it can only be found by its
// announcement.
TEST(SsdpTvsimAnnouncement, SetThatStartsLaterAnnouncesItself)
{
    REQUIRE_NETNS();
    ssdp_engine engine = {};
    ssdp_recorder recorder;
    ASSERT_EQ(ssdp_start(&engine, TEST_WAIT_MS), 0);
    ASSERT_TRUE(recorder.attach(&engine));
    ASSERT_EQ(ssdp_search(&engine, SSDP_TV_DEVICE_TYPE, 1), 0);
    std::unique_ptr<TvSim> set;
    ASSERT_TRUE(start_set(set, set_name("late"), false)) << set->log();
    discoverable tv = found_as(*set);
    EXPECT_TRUE(recorder.wait_for('a', tv_usn(tv))) << set->log();
    EXPECT_EQ(cached_location(&engine, tv_usn(tv)), tv.location);
    ssdp_stop(&engine);
    EXPECT_EQ(recorder.count('r', tv_usn(tv)), 1u);
    EXPECT_EQ(engine.devices, nullptr);
}

TEST(SsdpCliDiscover, ListsTheSetWithItsName)
{
    REQUIRE_NETNS();
    std::unique_ptr<TvSim> set;
    const std::string name = set_name("listed");
    ASSERT_TRUE(start_set(set, name, false)) << set->log();
    discoverable tv = found_as(*set);
    ScratchFolder folder;
    CliResult result = run_cli({"discover", "--seconds", "1"}, folder.path());
    EXPECT_EQ(result.exit_code, 0) << result.err;
    std::string line = "127.0.0.1\t" + name + "\t" + SSDP_TV_DEVICE_TYPE + "\t" + tv.location + "\n";
    EXPECT_NE(result.out.find(line), std::string::npos) << result.out;
}

TEST(SsdpCliDiscover, WrongArgumentsAreUsageErrors)
{
    const std::vector<std::string> cases[] = {
        {"discover", "--seconds", "0"},
        {"discover", "--seconds", "3601"},
        {"discover", "--seconds"},
        {"discover", "--target"},
        {"discover", "--target", ""},
        {"discover", "--target", std::string(SSDP_TARGET_MAX + 1, 't')},
        {"discover", "now"},
    };
    ScratchFolder folder;
    for (const std::vector<std::string> &arguments : cases) {
        CliResult result = run_cli(arguments, folder.path());
        EXPECT_EQ(result.exit_code, 2) << arguments.back();
        EXPECT_TRUE(result.out.empty()) << arguments.back();
    }
}

}  // namespace
