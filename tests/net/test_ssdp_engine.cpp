// The SSDP engine over real sockets: a test peer on the multicast group
// answers its searches and sends announcements.
#include <arpa/inet.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ssdp_test_support.h"

namespace {

// Short waits so that stopping never sits out the default second.
const int TEST_WAIT_MS = 50;

// Every test searches a target of its own process, so that tests running
// side by side in one namespace cannot take each other's devices.
std::string own_target()
{
    return "urn:kanvio-test-" + std::to_string(getpid()) + ":device:Probe:1";
}

sockaddr_in group_address()
{
    sockaddr_in group;
    memset(&group, 0, sizeof group);
    group.sin_family = AF_INET;
    group.sin_addr.s_addr = inet_addr("239.255.255.250");
    group.sin_port = htons(SSDP_PORT);
    return group;
}

// A UDP socket on the SSDP port, member of the group, as a device has one.
class test_peer {
public:
    test_peer()
    {
        fd = socket(AF_INET, SOCK_DGRAM, 0);
        int on = 1;
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in any;
        memset(&any, 0, sizeof any);
        any.sin_family = AF_INET;
        any.sin_port = htons(SSDP_PORT);
        bound = bind(fd, reinterpret_cast<sockaddr *>(&any), sizeof any) == 0;
        ip_mreq membership;
        membership.imr_multiaddr = group_address().sin_addr;
        membership.imr_interface.s_addr = htonl(INADDR_ANY);
        bound = bound && setsockopt(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof membership) == 0;
        timeval bound_wait = {10, 0};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &bound_wait, sizeof bound_wait);
    }
    ~test_peer() { close(fd); }

    // Receives datagrams until one equals expected; remembers its sender.
    bool receive(const std::string &expected)
    {
        char buffer[2048];
        for (;;) {
            socklen_t size = sizeof sender;
            ssize_t n = recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr *>(&sender), &size);
            if (n < 0)
                return false;
            if (std::string(buffer, static_cast<size_t>(n)) == expected)
                return true;
        }
    }

    void answer_sender(const std::string &text)
    {
        sendto(fd, text.data(), text.size(), 0, reinterpret_cast<sockaddr *>(&sender), sizeof sender);
    }

    void announce(const std::string &text)
    {
        sockaddr_in group = group_address();
        sendto(fd, text.data(), text.size(), 0, reinterpret_cast<sockaddr *>(&group), sizeof group);
    }

    int fd;
    bool bound;
    sockaddr_in sender;
};

std::string search_text(const std::string &target, int mx)
{
    return "M-SEARCH * HTTP/1.1\r\nHOST: 239.255.255.250:1900\r\nMAN: \"ssdp:discover\"\r\nST: " + target +
           "\r\nMX: " + std::to_string(mx) + "\r\n\r\n";
}

std::string notify_text(const std::string &nts, const std::string &nt, const std::string &usn)
{
    return "NOTIFY * HTTP/1.1\r\nHOST: 239.255.255.250:1900\r\nCACHE-CONTROL: max-age=60\r\n"
           "LOCATION: http://127.0.0.1:9/" + usn + "\r\nNT: " + nt + "\r\nNTS: " + nts + "\r\nUSN: " + usn +
           "\r\n\r\n";
}

class SsdpEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_NETNS();
        ASSERT_EQ(ssdp_start(&engine, TEST_WAIT_MS), 0);
        ASSERT_TRUE(recorder.attach(&engine));
        peer.reset(new test_peer);
        ASSERT_TRUE(peer->bound);
    }

    void TearDown() override { ssdp_stop(&engine); }

    size_t cached(const std::string &usn)
    {
        size_t count = 0;
        if (ssdp_lock(&engine) != 0)
            return 0;
        for (const ssdp_device *device = engine.devices; device; device = device->next)
            count += usn == device->usn;
        ssdp_unlock(&engine);
        return count;
    }

    ssdp_engine engine = {};
    ssdp_recorder recorder;
    std::unique_ptr<test_peer> peer;  // joins the group, so only made inside the namespace
    const std::string target = own_target();
};

TEST_F(SsdpEngine, SearchIsAnsweredAndCached)
{
    const std::string usn = "uuid:answer::" + target;
    ASSERT_EQ(ssdp_search(&engine, target.c_str(), 1), 0);
    ASSERT_TRUE(peer->receive(search_text(target, 1)));
    peer->answer_sender("HTTP/1.1 200 OK\r\nCACHE-CONTROL: max-age=1800\r\nEXT:\r\n"
                       "LOCATION: http://127.0.0.1:9/desc.xml\r\nSERVER: test/1\r\nST: " + target +
                       "\r\nUSN: " + usn + "\r\n\r\n");
    ASSERT_TRUE(recorder.wait_for('a', usn));
    ASSERT_EQ(ssdp_lock(&engine), 0);
    const ssdp_device *device = engine.devices;
    while (device && usn != device->usn)
        device = device->next;
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(std::string(device->type), target);
    EXPECT_STREQ(device->location, "http://127.0.0.1:9/desc.xml");
    EXPECT_EQ(device->local, 0);
    ssdp_unlock(&engine);
}

TEST_F(SsdpEngine, AnnouncementAddsAndByebyeRemoves)
{
    const std::string usn = "uuid:notify::" + target;
    ASSERT_EQ(ssdp_search(&engine, target.c_str(), 1), 0);
    peer->announce(notify_text("ssdp:alive", target, usn));
    ASSERT_TRUE(recorder.wait_for('a', usn));
    EXPECT_EQ(cached(usn), 1u);
    peer->announce(notify_text("ssdp:byebye", target, usn));
    ASSERT_TRUE(recorder.wait_for('r', usn));
    EXPECT_EQ(cached(usn), 0u);
}

TEST_F(SsdpEngine, FlushDropsFoundDevices)
{
    const std::string usn = "uuid:flush::" + target;
    ASSERT_EQ(ssdp_search(&engine, target.c_str(), 1), 0);
    peer->announce(notify_text("ssdp:alive", target, usn));
    ASSERT_TRUE(recorder.wait_for('a', usn));
    ssdp_flush_remote(&engine);
    EXPECT_EQ(recorder.count('r', usn), 1u);
    EXPECT_EQ(cached(usn), 0u);
}

TEST_F(SsdpEngine, StopEmptiesTheCacheAndRefusesFurtherUse)
{
    const std::string usn = "uuid:stop::" + target;
    ASSERT_EQ(ssdp_search(&engine, target.c_str(), 1), 0);
    peer->announce(notify_text("ssdp:alive", target, usn));
    ASSERT_TRUE(recorder.wait_for('a', usn));
    ssdp_stop(&engine);
    EXPECT_EQ(recorder.count('r', usn), 1u);
    EXPECT_EQ(engine.devices, nullptr);
    EXPECT_EQ(engine.targets, nullptr);
    EXPECT_EQ(engine.multicast.fd, -1);
    EXPECT_EQ(engine.search.fd, -1);
    EXPECT_EQ(ssdp_search(&engine, target.c_str(), 1), -1);
    EXPECT_EQ(ssdp_lock(&engine), -1);
}

// Takes the engine's lock from inside its added notification, as a careless
// observer would, and keeps what ssdp_lock said each time.
class relocking_observer {
public:
    explicit relocking_observer(ssdp_engine *engine) : engine_(engine) {}

    bool install()
    {
        if (ssdp_lock(engine_) != 0)
            return false;
        engine_->observer = {added, nullptr, nullptr, this};
        ssdp_unlock(engine_);
        return true;
    }

    void remove()
    {
        if (ssdp_lock(engine_) != 0)
            return;
        engine_->observer = {};
        ssdp_unlock(engine_);
    }

    // The results of the first count notifications; fewer when they did not
    // come within the bound, which only a hung receiver thread reaches.
    std::vector<int> lock_results(size_t count)
    {
        std::unique_lock<std::mutex> guard(mutex_);
        changed_.wait_for(guard, std::chrono::seconds(10), [&] { return results_.size() >= count; });
        return results_;
    }

private:
    static void added(const ssdp_device *, void *self)
    {
        relocking_observer *observer = static_cast<relocking_observer *>(self);
        int result = ssdp_lock(observer->engine_);
        if (result == 0)
            ssdp_unlock(observer->engine_);
        std::lock_guard<std::mutex> guard(observer->mutex_);
        observer->results_.push_back(result);
        observer->changed_.notify_all();
    }

    ssdp_engine *engine_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int> results_;
};

// Notifications run with the lock held: taking it again there is refused
// instead of hanging the receiver thread, which goes on caching devices.
TEST_F(SsdpEngine, ANotificationThatTakesTheLockIsRefusedAndTheEngineGoesOn)
{
    relocking_observer observer(&engine);
    ASSERT_TRUE(observer.install());
    ASSERT_EQ(ssdp_search(&engine, target.c_str(), 1), 0);
    const std::string first = "uuid:relock-1::" + target;
    const std::string second = "uuid:relock-2::" + target;
    peer->announce(notify_text("ssdp:alive", target, first));
    EXPECT_EQ(observer.lock_results(1), std::vector<int>{-1});
    peer->announce(notify_text("ssdp:alive", target, second));
    EXPECT_EQ(observer.lock_results(2), (std::vector<int>{-1, -1}));
    EXPECT_EQ(cached(first), 1u);
    EXPECT_EQ(cached(second), 1u);
    observer.remove();
}

TEST_F(SsdpEngine, OverlongTargetIsRefused)
{
    std::string target(SSDP_TARGET_MAX + 1, 't');
    EXPECT_EQ(ssdp_search(&engine, target.c_str(), 1), -1);
    EXPECT_EQ(ssdp_search(&engine, nullptr, 1), -1);
}

TEST(SsdpEngineIdle, NeverStartedEngineRefusesEverything)
{
    ssdp_engine engine;
    memset(&engine, 0, sizeof engine);
    EXPECT_EQ(ssdp_search(&engine, SSDP_TV_DEVICE_TYPE, 1), -1);
    EXPECT_EQ(ssdp_lock(&engine), -1);
    ssdp_flush_remote(&engine);
    ssdp_stop(&engine);
}

}  // namespace
