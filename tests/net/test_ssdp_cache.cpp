// The device cache of the SSDP engine, driven with message texts and a
// chosen clock: no sockets and no receiver thread.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "net/ssdp_internal.h"

namespace {

const time_t NOW = 1800000000;
const char TV_USN[] = "uuid:tv-1::urn:tavrel-com:device:RemoteControlReceiver:1";

struct event {
    char kind;  // 'a'dded, 'u'pdated, 'r'emoved
    std::string usn;
    std::string type;
    std::string location;
};

std::string answer(const std::string &st, const std::string &usn, const std::string &location,
                   const std::string &lifetime = "CACHE-CONTROL: max-age=1800\r\n")
{
    return "HTTP/1.1 200 OK\r\n" + lifetime + "ST: " + st + "\r\nUSN: " + usn + "\r\nLOCATION: " + location +
           "\r\n\r";
}

std::string announcement(const std::string &nts, const std::string &nt, const std::string &usn,
                         const std::string &lifetime = "CACHE-CONTROL: max-age=1800\r\n")
{
    return "NOTIFY * HTTP/1.1\r\nHOST: 239.255.255.250:1900\r\n" + lifetime + "NT: " + nt + "\r\nNTS: " + nts +
           "\r\nUSN: " + usn + "\r\nLOCATION: http://127.0.0.1:1/" + usn + "\r\n\r";
}

class SsdpCache : public ::testing::Test {
protected:
    void SetUp() override
    {
        memset(&engine, 0, sizeof engine);
        engine.multicast.fd = -1;
        engine.search.fd = -1;
        engine.flags = SSDP_FLAG_SEARCHED;
        engine.observer = {record_added, record_updated, record_removed, this};
    }

    void TearDown() override { ssdp_close(&engine); }

    void search(const char *target) { ASSERT_EQ(ssdp_add_target(&engine, target), 0); }
    void from_search_socket(const std::string &text) { ssdp_process_text(&engine, text.c_str(), 0, NOW); }
    void from_multicast(const std::string &text) { ssdp_process_text(&engine, text.c_str(), 1, NOW); }

    // Puts bytes into a receiver's buffer as a datagram would arrive.
    void datagram(ssdp_receiver *receiver, const std::string &bytes, int multicast)
    {
        size_t room = SSDP_BUFFER_SIZE - receiver->used;
        size_t length = bytes.size() < room ? bytes.size() : room;
        memcpy(receiver->buffer + receiver->used, bytes.data(), length);
        ssdp_cut_messages(&engine, receiver, length, multicast, NOW);
    }

    size_t cached() const
    {
        size_t count = 0;
        for (const ssdp_device *device = engine.devices; device; device = device->next)
            count++;
        return count;
    }

    static void record(char kind, const ssdp_device *device, void *self)
    {
        static_cast<SsdpCache *>(self)->events.push_back({kind, device->usn, device->type, device->location});
    }
    static void record_added(const ssdp_device *device, void *self) { record('a', device, self); }
    static void record_updated(const ssdp_device *device, void *self) { record('u', device, self); }
    static void record_removed(const ssdp_device *device, void *self) { record('r', device, self); }

    ssdp_engine engine;
    std::vector<event> events;
};

TEST_F(SsdpCache, AnswerIsAddedOnceThenUpdated)
{
    search(SSDP_TV_DEVICE_TYPE);
    from_search_socket(answer(SSDP_TV_DEVICE_TYPE, TV_USN, "http://127.0.0.1:49152/d.xml"));
    ASSERT_EQ(cached(), 1u);
    EXPECT_EQ(engine.devices->expiry, NOW + 1800);
    EXPECT_STREQ(engine.devices->usn, TV_USN);
    EXPECT_STREQ(engine.devices->type, SSDP_TV_DEVICE_TYPE);
    EXPECT_STREQ(engine.devices->location, "http://127.0.0.1:49152/d.xml");
    from_search_socket(answer(SSDP_TV_DEVICE_TYPE, TV_USN, "http://127.0.0.1:8080/other.xml"));
    ASSERT_EQ(cached(), 1u);
    EXPECT_STREQ(engine.devices->location, "http://127.0.0.1:8080/other.xml");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, 'a');
    EXPECT_EQ(events[1].kind, 'u');
    EXPECT_EQ(events[1].location, "http://127.0.0.1:8080/other.xml");
}

TEST_F(SsdpCache, MessagesCountOnlyThroughTheirOwnSocketAfterASearch)
{
    search(SSDP_ALL_TARGET);
    from_multicast(answer("urn:x:device:y:1", "uuid:a", "http://127.0.0.1/a"));
    from_search_socket(announcement("ssdp:alive", "urn:x:device:y:1", "uuid:b"));
    EXPECT_EQ(cached(), 0u);
    engine.flags = 0;
    from_search_socket(answer("urn:x:device:y:1", "uuid:a", "http://127.0.0.1/a"));
    from_multicast(announcement("ssdp:alive", "urn:x:device:y:1", "uuid:b"));
    EXPECT_EQ(cached(), 0u);
    engine.flags = SSDP_FLAG_SEARCHED;
    from_search_socket(answer("urn:x:device:y:1", "uuid:a", "http://127.0.0.1/a"));
    from_multicast(announcement("ssdp:alive", "urn:x:device:y:1", "uuid:b"));
    EXPECT_EQ(cached(), 2u);
}

TEST_F(SsdpCache, MessageWithoutLifetimeIsIgnored)
{
    search(SSDP_ALL_TARGET);
    from_multicast(announcement("ssdp:alive", "urn:x:device:y:1", "uuid:b", ""));
    from_search_socket(answer("urn:x:device:y:1", "uuid:a", "http://127.0.0.1/a", "CACHE-CONTROL: no-cache\r\n"));
    from_search_socket(answer("urn:x:device:y:1", "uuid:c", "http://127.0.0.1/c", "CACHE-CONTROL: max-age=-1\r\n"));
    EXPECT_EQ(cached(), 0u);
    EXPECT_TRUE(events.empty());
}

TEST_F(SsdpCache, ByebyeRemovesADeviceFoundByAnswer)
{
    search(SSDP_TV_DEVICE_TYPE);
    from_search_socket(answer(SSDP_TV_DEVICE_TYPE, TV_USN, "http://127.0.0.1/d.xml"));
    from_multicast(announcement("ssdp:byebye", SSDP_TV_DEVICE_TYPE, TV_USN, ""));
    EXPECT_EQ(cached(), 0u);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].kind, 'r');
    EXPECT_EQ(events[1].usn, TV_USN);
}

TEST_F(SsdpCache, OtherNotificationSubtypesChangeNothing)
{
    search(SSDP_ALL_TARGET);
    from_multicast(announcement("ssdp:alive", "urn:x:device:y:1", "uuid:b"));
    from_multicast(announcement("ssdp:update", "urn:x:device:y:1", "uuid:b"));
    from_multicast(announcement("SSDP:BYEBYE", "urn:x:device:y:1", "uuid:b"));
    EXPECT_EQ(cached(), 1u);
    EXPECT_EQ(events.size(), 1u);
}

struct target_case {
    const char *target;
    size_t cached;
};

TEST_F(SsdpCache, AnswerMustMatchASearchedTarget)
{
    const target_case cases[] = {
        {"urn:other:device:z:1", 0},
        {SSDP_TV_DEVICE_TYPE, 1},
        {TV_USN, 1},
        {SSDP_ALL_TARGET, 1},
    };
    for (const target_case &c : cases) {
        search(c.target);
        from_multicast(announcement("ssdp:alive", SSDP_TV_DEVICE_TYPE, TV_USN));
        from_search_socket(answer(SSDP_TV_DEVICE_TYPE, TV_USN, "http://127.0.0.1/d.xml"));
        EXPECT_EQ(cached(), c.cached) << c.target;
        ssdp_close(&engine);
    }
}

TEST_F(SsdpCache, RepeatedTargetIsRegisteredOnce)
{
    search(SSDP_TV_DEVICE_TYPE);
    search(SSDP_TV_DEVICE_TYPE);
    search(SSDP_ALL_TARGET);
    ASSERT_NE(engine.targets, nullptr);
    EXPECT_STREQ(engine.targets->text, SSDP_ALL_TARGET);
    ASSERT_NE(engine.targets->next, nullptr);
    EXPECT_STREQ(engine.targets->next->text, SSDP_TV_DEVICE_TYPE);
    EXPECT_EQ(engine.targets->next->next, nullptr);
}

TEST_F(SsdpCache, UsnsWithTheSameHashShareOneEntry)
{
    ASSERT_EQ(ssdp_hash("uuid:a0aj"), ssdp_hash("uuid:bgoa"));
    search(SSDP_ALL_TARGET);
    from_search_socket(answer("urn:x:device:y:1", "uuid:a0aj", "http://127.0.0.1/first"));
    from_search_socket(answer("urn:x:device:z:1", "uuid:bgoa", "http://127.0.0.1/second"));
    ASSERT_EQ(cached(), 1u);
    EXPECT_STREQ(engine.devices->usn, "uuid:a0aj");
    EXPECT_STREQ(engine.devices->type, "urn:x:device:z:1");
    EXPECT_STREQ(engine.devices->location, "http://127.0.0.1/second");
}

TEST_F(SsdpCache, ExpiryDropsOnlyEntriesOlderThanNow)
{
    search(SSDP_ALL_TARGET);
    from_search_socket(answer("urn:x:device:y:1", "uuid:now", "http://127.0.0.1/n", "CACHE-CONTROL: max-age=0\r\n"));
    from_search_socket(answer("urn:x:device:y:1", "uuid:later", "http://127.0.0.1/l", "CACHE-CONTROL: max-age=5\r\n"));
    ssdp_expire(&engine, NOW);
    EXPECT_EQ(cached(), 2u);
    ssdp_expire(&engine, NOW + 1);
    ASSERT_EQ(cached(), 1u);
    EXPECT_STREQ(engine.devices->usn, "uuid:later");
    ssdp_expire(&engine, NOW + 6);
    EXPECT_EQ(cached(), 0u);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[2].kind, 'r');
    EXPECT_EQ(events[2].usn, "uuid:now");
    EXPECT_EQ(events[3].usn, "uuid:later");
}

// A peer announcing ever new USNs fills the cache only up to its bound;
// devices already cached are still renewed, and an expired one makes room.
TEST_F(SsdpCache, NewDevicesAreRefusedOnceTheCacheIsFull)
{
    for (int i = 0; i < SSDP_MAX_DEVICES; ++i) {
        std::string usn = "uuid:flood-" + std::to_string(i);
        ASSERT_EQ(ssdp_add_device(&engine, usn.c_str(), "urn:x:device:y:1", "http://127.0.0.1/", NOW + 5, NOW), 0);
    }
    ASSERT_EQ(cached(), size_t(SSDP_MAX_DEVICES));
    EXPECT_EQ(ssdp_add_device(&engine, "uuid:one-more", "urn:x:device:y:1", "http://127.0.0.1/", NOW + 5, NOW), -1);
    EXPECT_EQ(cached(), size_t(SSDP_MAX_DEVICES));
    EXPECT_EQ(events.back().kind, 'a');
    EXPECT_NE(events.back().usn, "uuid:one-more");
    EXPECT_EQ(ssdp_add_device(&engine, "uuid:flood-0", "urn:x:device:y:1", "http://127.0.0.1/new", NOW + 9, NOW), 0);
    EXPECT_EQ(events.back().kind, 'u');
    ssdp_expire(&engine, NOW + 6);
    ASSERT_EQ(cached(), 1u);
    EXPECT_EQ(ssdp_add_device(&engine, "uuid:one-more", "urn:x:device:y:1", "http://127.0.0.1/", NOW + 5, NOW), 0);
    EXPECT_EQ(cached(), 2u);
}

// The receive buffer: datagrams carry whole messages, several messages, or
// pieces of one.
class SsdpCut : public SsdpCache {
protected:
    void SetUp() override
    {
        SsdpCache::SetUp();
        engine.multicast.buffer = static_cast<char *>(malloc(SSDP_BUFFER_SIZE + 1));
        ASSERT_NE(engine.multicast.buffer, nullptr);
        search(SSDP_ALL_TARGET);
    }

    // An announcement as it travels, ending in CR LF CR LF.
    static std::string wire(const std::string &usn)
    {
        return announcement("ssdp:alive", "urn:x:device:y:1", usn) + "\n";
    }
};

TEST_F(SsdpCut, DatagramWithTwoMessagesAddsBoth)
{
    datagram(&engine.multicast, wire("uuid:1") + wire("uuid:2"), 1);
    EXPECT_EQ(cached(), 2u);
    EXPECT_EQ(engine.multicast.used, 0u);
}

TEST_F(SsdpCut, TailWaitsForTheRestOfItsMessage)
{
    const std::string second = wire("uuid:2");
    datagram(&engine.multicast, wire("uuid:1") + second.substr(0, 11), 1);
    EXPECT_EQ(cached(), 1u);
    datagram(&engine.multicast, second.substr(11), 1);
    EXPECT_EQ(cached(), 2u);
}

TEST_F(SsdpCut, MessageSplitAtAnyPointIsReadOnceComplete)
{
    const std::string message = wire("uuid:split");
    for (size_t split = 1; split < message.size(); split++) {
        ssdp_close(&engine);
        engine.multicast.buffer = static_cast<char *>(malloc(SSDP_BUFFER_SIZE + 1));
        search(SSDP_ALL_TARGET);
        events.clear();
        datagram(&engine.multicast, message.substr(0, split), 1);
        EXPECT_EQ(cached(), 0u) << "split at " << split;
        datagram(&engine.multicast, message.substr(split), 1);
        EXPECT_EQ(cached(), 1u) << "split at " << split;
        EXPECT_EQ(engine.multicast.used, 0u) << "split at " << split;
    }
}

TEST_F(SsdpCut, FullBufferWithoutMessageEndIsDropped)
{
    datagram(&engine.multicast, std::string(SSDP_BUFFER_SIZE + 100, 'x'), 1);
    EXPECT_EQ(engine.multicast.used, 0u);
    datagram(&engine.multicast, wire("uuid:after"), 1);
    EXPECT_EQ(cached(), 1u);
}

TEST_F(SsdpCut, NulBytesInADatagramEndTheMessageText)
{
    std::string message = wire("uuid:1");
    message[message.find("NT:")] = '\0';
    datagram(&engine.multicast, message + wire("uuid:2"), 1);
    ASSERT_EQ(cached(), 1u);
    EXPECT_STREQ(engine.devices->usn, "uuid:2");
}

}  // namespace
