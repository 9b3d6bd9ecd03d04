// The SSDP engine over real sockets against the simulated set: multicast,
// so it runs only inside scripts/in-netns.
#include <arpa/inet.h>
#include <csignal>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "net/ssdp.h"
#include "tests/support/runners.h"

namespace {

using Results = std::vector<int>;

// What the receiver thread tells, waited for by the test. Its added
// notification takes the engine's lock, as a careless observer would.
class Recorder {
public:
    explicit Recorder(ssdp_engine *engine) : engine_(engine)
    {
        EXPECT_EQ(ssdp_lock(engine), 0);
        engine->observer = {added, nullptr, removed, this};
        ssdp_unlock(engine);
    }

    // Waits until the events are expected; false after ten seconds.
    bool wait_for(const std::string &expected)
    {
        std::unique_lock<std::mutex> guard(mutex_);
        return changed_.wait_for(guard, std::chrono::seconds(10), [&] { return events_ == expected; });
    }
    std::string location;

private:
    static void record(const std::string &event, const ssdp_device *device, void *self)
    {
        Recorder *recorder = static_cast<Recorder *>(self);
        if (strcmp(device->type, SSDP_TV_DEVICE_TYPE) != 0)
            return;
        std::lock_guard<std::mutex> guard(recorder->mutex_);
        recorder->events_ += event;
        recorder->location = device->location;
        recorder->changed_.notify_all();
    }
    static void added(const ssdp_device *device, void *self)
    {
        ssdp_engine *engine = static_cast<Recorder *>(self)->engine_;
        const int locked = ssdp_lock(engine);
        if (locked == 0)
            ssdp_unlock(engine);
        record("+" + std::to_string(locked), device, self);
    }
    static void removed(const ssdp_device *device, void *self) { record("-", device, self); }

    ssdp_engine *engine_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string events_;
};

// A socket in the multicast group on the SSDP port, as a set has one,
// that gives up on a receive after ten seconds.
int join_group()
{
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    const sockaddr_in any = {AF_INET, htons(SSDP_PORT), {htonl(INADDR_ANY)}, {}};
    const ip_mreq group = {{inet_addr("239.255.255.250")}, {htonl(INADDR_ANY)}};
    const timeval wait = {10, 0};
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    bind(fd, reinterpret_cast<const sockaddr *>(&any), sizeof any);
    setsockopt(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &group, sizeof group);
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    return fd;
}

// The engine against the simulated set: it searches with the exact text,
// takes the set's announcement and its answer, drops it on a flush and at
// its goodbye; the command-line tool lists it by the name its description
// gives. Notifications run with the lock held, so taking it there is
// refused instead of hanging the receiver thread. A stopped engine is empty
// and refuses everything.
TEST(SsdpEngine, FindsTheSimulatedSetUntilItSaysGoodbye)
{
    const char *netns = getenv("KANVIO_IN_NETNS");
    if (!netns || strcmp(netns, "1") != 0)
        GTEST_SKIP() << "sends multicast: run it through scripts/in-netns, never on the host network";
    ssdp_engine engine = {};
    ASSERT_EQ(ssdp_start(&engine, 50), 0);
    Recorder recorder(&engine);
    const int group = join_group();
    EXPECT_EQ(ssdp_search(&engine, std::string(SSDP_TARGET_MAX + 1, 't').c_str(), 1), -1);
    EXPECT_EQ(ssdp_search(&engine, nullptr, 1), -1);
    ASSERT_EQ(ssdp_search(&engine, SSDP_TV_DEVICE_TYPE, 1), 0);
    char sent[200] = {};
    EXPECT_GT(recv(group, sent, sizeof sent - 1, 0), 0);
    EXPECT_EQ(sent, std::string("M-SEARCH * HTTP/1.1\r\nHOST: 239.255.255.250:1900\r\nMAN: \"ssdp:discover\"\r\nST: ") +
                        SSDP_TV_DEVICE_TYPE + "\r\nMX: 1\r\n\r\n");
    close(group);

    const std::string name = "Test set " + std::to_string(getpid());
    TvSim sim("127.0.0.1", {"--ssdp", "--name", name, "--http-port", "0", "--chunked", "--generate", "3"});
    ASSERT_TRUE(sim.wait_ready()) << sim.log();
    ASSERT_TRUE(recorder.wait_for("+-1")) << sim.log();
    EXPECT_NE(sim.log().find(" at " + recorder.location + "\n"), std::string::npos) << sim.log();
    Sandbox sandbox;
    const CliResult found = run_cli({"discover", "--seconds", "1"}, sandbox);
    EXPECT_NE(found.out.find("127.0.0.1\t" + name + "\t" + SSDP_TV_DEVICE_TYPE + "\t" + recorder.location + "\n"),
              std::string::npos) << found.out << found.err;

    ssdp_flush_remote(&engine);
    ASSERT_EQ(ssdp_search(&engine, SSDP_TV_DEVICE_TYPE, 1), 0);
    ASSERT_TRUE(recorder.wait_for("+-1-+-1")) << "found again after a flush";
    EXPECT_EQ(sim.stop(SIGTERM), 0);
    ASSERT_TRUE(recorder.wait_for("+-1-+-1-")) << "gone at its goodbye";
    ssdp_stop(&engine);
    EXPECT_EQ(engine.devices, nullptr);
    EXPECT_EQ((Results{engine.multicast.fd, engine.search.fd}), (Results{-1, -1}));
    ssdp_engine idle = {};
    for (ssdp_engine *stopped : {&engine, &idle})
        EXPECT_EQ((Results{ssdp_search(stopped, SSDP_TV_DEVICE_TYPE, 1), ssdp_lock(stopped)}), (Results{-1, -1}));
    ssdp_flush_remote(&idle);
    ssdp_stop(&idle);
}

}  // namespace
