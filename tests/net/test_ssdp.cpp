// SSDP without a socket: the message parser fed texts and the device
// cache driven with a chosen clock. The engine over real sockets is
// test_ssdp_engine.cpp.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "net/ssdp_internal.h"

namespace {

const time_t NOW = 1800000000;
const std::string TV_USN = std::string("uuid:tv-1::") + SSDP_TV_DEVICE_TYPE;

// The kept headers of each message in text, the expiry relative to NOW.
std::string parsed(const std::string &text)
{
    ssdp_message m;
    const char *rest = ssdp_parse_message(text.c_str(), NOW, &m);
    if (!rest)
        return "incomplete";
    std::ostringstream out;
    out << m.kind;
    for (const auto &field : {std::make_pair("man", m.man), std::make_pair("st", m.st), std::make_pair("usn", m.usn),
                              std::make_pair("nts", m.nts), std::make_pair("nt", m.nt),
                              std::make_pair("location", m.location)})
        if (*field.second)
            out << " " << field.first << "=" << field.second;
    if (m.has_expiry)
        out << " expiry" << (m.expiry >= NOW ? "+" : "") << m.expiry - NOW;
    if (m.mx)
        out << " mx=" << m.mx;
    if (*rest)
        out << "; " << parsed(rest);
    return out.str();
}

std::string notify(const std::string &headers)
{
    return "NOTIFY * HTTP/1.1\r\n" + headers + "\r\n\r";
}

TEST(SsdpMessage, KeepsTheHeadersOfEachKindOfMessage)
{
    const time_t date = 1797073200 - NOW;  // Sat, 12 Dec 2026 11:00:00 GMT
    const std::string expires = "EXPIRES: Sat, 12 Dec 2026 12:00:00 +0100";
    const std::pair<std::string, std::string> cases[] = {
        {"junk line\r\nHTTP/1.0 200 OK\r\n\r", "3"},
        {"notify * HTTP/1.1\r\nNT: x\r\n\r", "0"},
        {"ST: early\r\n" + notify("NT: late"), "1 nt=late"},
        {notify("  cache-control : max-age = 60\r\nnt: \"urn:x:device:y:1\"\t\r\nNts: ssdp:alive\r\nusn:uuid:1\r\n"
                "Location: \"http://h/d.xml\""),
         "1 usn=uuid:1 nts=ssdp:alive nt=urn:x:device:y:1 location=http://h/d.xml expiry+60"},
        {notify("CACHE-CONTROL: max-age=100\r\n" + expires), "1 expiry+100"},
        {notify(expires + "\r\nCACHE-CONTROL: max-age=100"), "1 expiry+100"},
        {notify(expires), "1 expiry" + std::to_string(date)},
        {notify("EXPIRES: tomorrow"), "1"},
        {notify("CACHE-CONTROL: no-cache, MAX-AGE=30, private"), "1 expiry+30"},
        {notify("CACHE-CONTROL: max-age 30"), "1"},
        {notify("CACHE-CONTROL: max-age=99999999999999999999"), "1 expiry+" + std::to_string(SSDP_MAX_AGE_CAP)},
        {notify("CACHE-CONTROL: private," + std::string(300, ' ') + "max-age=" + std::string(300, ' ') + "7"),
         "1 expiry+7"},
        {"M-SEARCH * HTTP/1.1\r\nMX: 0\r\n\r", "2 mx=1"},
        {"M-SEARCH * HTTP/1.1\r\nMX: 99999999999999\r\n\r", "2 mx=" + std::to_string(INT_MAX)},
        {notify("LOCATION: kept\r\nAL: <http://a/d.xml><http://b/d.xml>"), "1 location=http://a/d.xml"},
        {notify("LOCATION: kept\r\nAL: http://a/d.xml"), "1 location=http://a/d.xml"},
        {notify("LOCATION: kept\r\nAL: <>"), "1 location=kept"},
        {notify("USN: " + std::string(300, 'u') + "\r\nLOCATION: " + std::string(2000, 'l') + "\r\nX: " +
                std::string(3 * SSDP_LINE_MAX, 'j') + "\r\nNT: after"),
         "1 usn=" + std::string(SSDP_HEADER_MAX, 'u') + " nt=after location=" + std::string(SSDP_LOCATION_MAX, 'l')},
        {"NOTIFY * HTTP/1.1\r\nNT: x\r\n", "incomplete"},
        {"", "incomplete"},
        {notify("NT: 1") + "HTTP/1.1 200 OK\r\nST: 2\r\n\r", "1 nt=1; 3 st=2"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parsed(c.first), c.second) << c.first.substr(0, 80);
}

std::string answer(const std::string &st, const std::string &usn, const std::string &location,
                   const std::string &lifetime = "CACHE-CONTROL: max-age=1800\r\n")
{
    return "HTTP/1.1 200 OK\r\n" + lifetime + "ST: " + st + "\r\nUSN: " + usn + "\r\nLOCATION: " + location + "\r\n\r";
}

std::string announcement(const std::string &nts, const std::string &nt, const std::string &usn,
                         const std::string &lifetime = "CACHE-CONTROL: max-age=1800\r\n")
{
    return "NOTIFY * HTTP/1.1\r\nHOST: 239.255.255.250:1900\r\n" + lifetime + "NT: " + nt + "\r\nNTS: " + nts +
           "\r\nUSN: " + usn + "\r\nLOCATION: http://127.0.0.1:1/" + usn + "\r\n\r";
}

class SsdpCache : public testing::Test {
protected:
    void SetUp() override
    {
        engine.multicast = {-1, static_cast<char *>(malloc(SSDP_BUFFER_SIZE + 1)), 0};
        engine.search.fd = -1;
        engine.flags = SSDP_FLAG_SEARCHED;
        engine.observer = {record<'+'>, record<'~'>, record<'-'>, this};
    }
    void TearDown() override { ssdp_close(&engine); }

    void search(const char *target) { ASSERT_EQ(ssdp_add_target(&engine, target), 0); }
    void from_search(const std::string &text) { ssdp_process_text(&engine, text.c_str(), 0, NOW); }
    void from_group(const std::string &text) { ssdp_process_text(&engine, text.c_str(), 1, NOW); }

    // Bytes arriving in the multicast socket's buffer as a datagram does.
    void datagram(const std::string &bytes)
    {
        const size_t length = std::min(bytes.size(), SSDP_BUFFER_SIZE - engine.multicast.used);
        memcpy(engine.multicast.buffer + engine.multicast.used, bytes.data(), length);
        ssdp_cut_messages(&engine, &engine.multicast, length, 1, NOW);
    }

    // The cache, newest first, as "usn type location expiry;".
    std::string cached() const
    {
        std::ostringstream out;
        for (const ssdp_device *d = engine.devices; d; d = d->next)
            out << d->usn << " " << d->type << " " << d->location << " " << d->expiry - NOW << ";";
        return out.str();
    }

    template <char kind>
    static void record(const ssdp_device *device, void *self)
    {
        static_cast<SsdpCache *>(self)->events += kind + std::string(device->usn) + ";";
    }

    ssdp_engine engine = {};
    std::string events;
};

TEST_F(SsdpCache, AnswersAreAddedThenRenewedAndByebyeRemoves)
{
    search(SSDP_TV_DEVICE_TYPE);
    from_search(answer(SSDP_TV_DEVICE_TYPE, TV_USN, "http://127.0.0.1:4/d.xml"));
    from_search(answer(SSDP_TV_DEVICE_TYPE, TV_USN, "http://127.0.0.1:8/e.xml", "CACHE-CONTROL: max-age=60\r\n"));
    EXPECT_EQ(cached(), TV_USN + " " + SSDP_TV_DEVICE_TYPE + " http://127.0.0.1:8/e.xml 60;");
    from_group(announcement("ssdp:update", SSDP_TV_DEVICE_TYPE, TV_USN));
    from_group(announcement("SSDP:BYEBYE", SSDP_TV_DEVICE_TYPE, TV_USN));
    from_group(announcement("ssdp:byebye", SSDP_TV_DEVICE_TYPE, TV_USN, ""));
    EXPECT_EQ(cached(), "");
    EXPECT_EQ(events, "+" + TV_USN + ";~" + TV_USN + ";-" + TV_USN + ";");
}

// Answers count through the search socket and announcements through the
// group's, and either only after a search; without a lifetime neither.
TEST_F(SsdpCache, TakesMessagesOnlyThroughTheirSocketAfterASearchAndWithALifetime)
{
    search(SSDP_ALL_TARGET);
    for (unsigned flags : {unsigned(SSDP_FLAG_SEARCHED), 0u}) {
        engine.flags = flags;
        from_group(answer("urn:x:device:y:1", "uuid:a", "http://127.0.0.1/a"));
        from_search(announcement("ssdp:alive", "urn:x:device:y:1", "uuid:b"));
        from_group(announcement("ssdp:alive", "urn:x:device:y:1", "uuid:c", flags ? "" : "CACHE-CONTROL: max-age=9\r\n"));
        from_search(answer("urn:x:device:y:1", "uuid:d", "http://127.0.0.1/d",
                           flags ? "CACHE-CONTROL: max-age=-1\r\n" : "CACHE-CONTROL: max-age=9\r\n"));
    }
    EXPECT_EQ(cached(), "");
    engine.flags = SSDP_FLAG_SEARCHED;
    from_search(answer("urn:x:device:y:1", "uuid:a", "http://127.0.0.1/a"));
    from_group(announcement("ssdp:alive", "urn:x:device:y:1", "uuid:b"));
    EXPECT_EQ(events, "+uuid:a;+uuid:b;");
}

TEST_F(SsdpCache, TakesOnlyDevicesASearchAskedFor)
{
    for (const char *target : {"urn:other:device:z:1", SSDP_TV_DEVICE_TYPE, TV_USN.c_str(), SSDP_ALL_TARGET}) {
        search(target);
        from_group(announcement("ssdp:alive", SSDP_TV_DEVICE_TYPE, TV_USN));
        from_search(answer(SSDP_TV_DEVICE_TYPE, TV_USN, "http://127.0.0.1/d.xml"));
        EXPECT_EQ(engine.devices != nullptr, strcmp(target, "urn:other:device:z:1") != 0) << target;
        ssdp_close(&engine);
    }
    for (const char *target : {SSDP_TV_DEVICE_TYPE, SSDP_TV_DEVICE_TYPE, SSDP_ALL_TARGET})
        search(target);
    std::string targets;
    for (const ssdp_target *target = engine.targets; target; target = target->next)
        targets += std::string(target->text) + ";";
    EXPECT_EQ(targets, std::string(SSDP_ALL_TARGET) + ";" + SSDP_TV_DEVICE_TYPE + ";") << "a repeated target counts once";
}

TEST_F(SsdpCache, DevicesAreToldApartByTheHashOfTheirUsnAndExpireAfterNow)
{
    ASSERT_EQ(ssdp_hash("uuid:a0aj"), ssdp_hash("uuid:bgoa"));
    EXPECT_EQ(ssdp_hash("a\xff"), 12415u) << "bytes count as signed values";
    search(SSDP_ALL_TARGET);
    from_search(answer("urn:x:device:y:1", "uuid:a0aj", "http://127.0.0.1/first"));
    from_search(answer("urn:x:device:z:1", "uuid:bgoa", "http://127.0.0.1/second", "CACHE-CONTROL: max-age=0\r\n"));
    from_search(answer("urn:x:device:y:1", "uuid:later", "http://127.0.0.1/l", "CACHE-CONTROL: max-age=5\r\n"));
    EXPECT_EQ(cached(), "uuid:later urn:x:device:y:1 http://127.0.0.1/l 5;uuid:a0aj urn:x:device:z:1 "
                        "http://127.0.0.1/second 0;");
    ssdp_expire(&engine, NOW);
    ssdp_expire(&engine, NOW + 1);
    EXPECT_EQ(cached(), "uuid:later urn:x:device:y:1 http://127.0.0.1/l 5;");
    ssdp_expire(&engine, NOW + 6);
    EXPECT_EQ(events, "+uuid:a0aj;~uuid:a0aj;+uuid:later;-uuid:a0aj;-uuid:later;");
}

// A peer announcing ever new USNs fills the cache only up to its bound;
// devices already cached are still renewed, and an expired one makes room.
TEST_F(SsdpCache, NewDevicesAreRefusedOnceTheCacheIsFull)
{
    auto add = [this](const std::string &usn, time_t expiry) {
        return ssdp_add_device(&engine, usn.c_str(), "urn:x:device:y:1", "http://127.0.0.1/", expiry, NOW);
    };
    for (int i = 0; i < SSDP_MAX_DEVICES; ++i)
        ASSERT_EQ(add("uuid:flood-" + std::to_string(i), NOW + 5), 0);
    events.clear();
    EXPECT_EQ(add("uuid:one-more", NOW + 5), -1);
    EXPECT_EQ(add("uuid:flood-0", NOW + 9), 0);
    EXPECT_EQ(events, "~uuid:flood-0;");
    ssdp_expire(&engine, NOW + 6);
    EXPECT_EQ(add("uuid:one-more", NOW + 5), 0);
    EXPECT_EQ(add("uuid:stale", NOW - 1), -1);
    EXPECT_EQ(cached(), "uuid:one-more urn:x:device:y:1 http://127.0.0.1/ 5;uuid:flood-0 urn:x:device:y:1 "
                        "http://127.0.0.1/ 9;");
}

// Datagrams carry whole messages, several messages or pieces of one; a
// buffer holding no message end is dropped, and a NUL ends a message's text.
TEST_F(SsdpCache, ReceiveBuffersCutDatagramsIntoMessages)
{
    search(SSDP_ALL_TARGET);
    auto wire = [](const std::string &usn) { return announcement("ssdp:alive", "urn:x:device:y:1", usn) + "\n"; };
    datagram(wire("uuid:1") + wire("uuid:2") + wire("uuid:3").substr(0, 11));
    EXPECT_EQ(engine.multicast.used, 11u);
    datagram(wire("uuid:3").substr(11));
    EXPECT_EQ(events, "+uuid:1;+uuid:2;+uuid:3;");
    const std::string message = wire("uuid:split");
    events.clear();
    for (size_t split = 1; split < message.size(); split++) {
        datagram(message.substr(0, split));
        EXPECT_EQ(events.size(), (split - 1) * 12) << split;
        datagram(message.substr(split));
        ASSERT_EQ(engine.multicast.used, 0u) << split;
    }
    EXPECT_EQ(events.substr(0, 24), "+uuid:split;~uuid:split;") << "every split is read once complete";
    datagram(std::string(SSDP_BUFFER_SIZE + 100, 'x'));
    EXPECT_EQ(engine.multicast.used, 0u);
    std::string broken = wire("uuid:4");
    broken[broken.find("NT:")] = '\0';
    events.clear();
    datagram(broken + wire("uuid:5"));
    EXPECT_EQ(events, "+uuid:5;");
}

}  // namespace
