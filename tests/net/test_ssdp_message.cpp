// The SSDP hash and message parser, fed with texts.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "net/ssdp_internal.h"

namespace {

const time_t NOW = 1800000000;

struct hash_case {
    const char *text;
    uint32_t hash;
};

TEST(SsdpHash, MatchesTheSignedByteFormula)
{
    const hash_case cases[] = {
        {"", 0},
        {"a", 97},
        {"ab", 12514},                  // 97 * 128 + 98
        {"\xff", 88557},                // (2^32 - 1) mod 600011
        {"a\xff", 12415},               // 97 * 128 - 1: a negative byte subtracts
        {"ssdp:all", 157892},
        {"uuid:tv-1", 153085},
    };
    for (const hash_case &c : cases)
        EXPECT_EQ(ssdp_hash(c.text), c.hash) << "text \"" << c.text << "\"";
}

// Parses one complete message; fails the test when it is incomplete.
ssdp_message parse(const std::string &text)
{
    ssdp_message message;
    EXPECT_NE(ssdp_parse_message(text.c_str(), NOW, &message), nullptr) << text;
    return message;
}

TEST(SsdpParse, ReadsASearchAnswer)
{
    ssdp_message m = parse(
        "HTTP/1.1 200 OK\r\nCACHE-CONTROL: max-age=1800\r\nEXT:\r\n"
        "LOCATION: http://127.0.0.1:49152/description.xml\r\nSERVER: Linux/4.0 UPnP/1.0 tv/1\r\n"
        "ST: urn:tavrel-com:device:RemoteControlReceiver:1\r\n"
        "USN: uuid:tv-1::urn:tavrel-com:device:RemoteControlReceiver:1\r\n\r");
    EXPECT_EQ(m.kind, SSDP_KIND_ANSWER);
    EXPECT_STREQ(m.st, SSDP_TV_DEVICE_TYPE);
    EXPECT_STREQ(m.usn, "uuid:tv-1::urn:tavrel-com:device:RemoteControlReceiver:1");
    EXPECT_STREQ(m.location, "http://127.0.0.1:49152/description.xml");
    EXPECT_TRUE(m.has_expiry);
    EXPECT_EQ(m.expiry, NOW + 1800);
}

struct kind_case {
    const char *text;
    int kind;
};

TEST(SsdpParse, StartLineGivesTheKind)
{
    const kind_case cases[] = {
        {"NOTIFY * HTTP/1.1\r\n\r", SSDP_KIND_ANNOUNCEMENT},
        {"M-SEARCH * HTTP/1.1\r\n\r", SSDP_KIND_SEARCH},
        {"HTTP/1.0 200 OK\r\n\r", SSDP_KIND_ANSWER},
        {"junk line\r\nNOTIFY * HTTP/1.1\r\n\r", SSDP_KIND_ANNOUNCEMENT},
        {"notify * HTTP/1.1\r\n\r", SSDP_KIND_NONE},
        {"ST: x\r\n\r", SSDP_KIND_NONE},
    };
    for (const kind_case &c : cases)
        EXPECT_EQ(parse(c.text).kind, c.kind) << c.text;
}

TEST(SsdpParse, HeadersBeforeTheStartLineAreNotKept)
{
    ssdp_message m = parse("ST: early\r\nNOTIFY * HTTP/1.1\r\nNT: late\r\n\r");
    EXPECT_STREQ(m.st, "");
    EXPECT_STREQ(m.nt, "late");
}

TEST(SsdpParse, HeaderNamesMatchInAnyCaseAndValuesLoseBlanksAndQuotes)
{
    ssdp_message m = parse(
        "NOTIFY * HTTP/1.1\r\n  cache-control : max-age = 60\r\nnt: \"urn:x:device:y:1\"\t\r\n"
        "Nts: ssdp:alive\r\nusn:uuid:1\r\nLocation: \"http://h/d.xml\"\r\nst: \"urn:a:device:b:1\"\r\n\r");
    EXPECT_EQ(m.expiry, NOW + 60);
    EXPECT_STREQ(m.nt, "urn:x:device:y:1");
    EXPECT_STREQ(m.nts, "ssdp:alive");
    EXPECT_STREQ(m.usn, "uuid:1");
    EXPECT_STREQ(m.location, "http://h/d.xml");
    EXPECT_STREQ(m.st, "urn:a:device:b:1");
}

TEST(SsdpParse, NtAndNtsAreDifferentHeaders)
{
    ssdp_message m = parse("NOTIFY * HTTP/1.1\r\nNTS: ssdp:byebye\r\nNT: upnp:rootdevice\r\n\r");
    EXPECT_STREQ(m.nts, "ssdp:byebye");
    EXPECT_STREQ(m.nt, "upnp:rootdevice");
}

struct expiry_case {
    const char *headers;
    int has_expiry;
    time_t expiry;
};

TEST(SsdpParse, ExpiryComesFromCacheControlBeforeExpires)
{
    const time_t date = 1797073200;  // Sat, 12 Dec 2026 11:00:00 GMT
    const expiry_case cases[] = {
        {"CACHE-CONTROL: max-age=100\r\nEXPIRES: Sat, 12 Dec 2026 12:00:00 +0100\r\n", 1, NOW + 100},
        {"EXPIRES: Sat, 12 Dec 2026 12:00:00 +0100\r\nCACHE-CONTROL: max-age=100\r\n", 1, NOW + 100},
        {"EXPIRES: Sat, 12 Dec 2026 12:00:00 +0100\r\n", 1, date},
        {"EXPIRES: Sat, 12 Dec 2026 11:00:00 +0000\r\n", 1, date},
        {"EXPIRES: tomorrow\r\n", 0, 0},
        {"CACHE-CONTROL: no-cache, MAX-AGE=30, private\r\n", 1, NOW + 30},
        {"CACHE-CONTROL: max-age 30\r\n", 0, 0},
        {"CACHE-CONTROL: no-cache\r\n", 0, 0},
        {"CACHE-CONTROL: max-age=-5\r\n", 1, NOW - 5},
        {"CACHE-CONTROL: max-age=99999999999999999999999\r\n", 1, NOW + SSDP_MAX_AGE_CAP},
        {"CACHE-CONTROL: max-age=-99999999999999999999999\r\n", 1, NOW - SSDP_MAX_AGE_CAP},
        {"", 0, 0},
    };
    for (const expiry_case &c : cases) {
        ssdp_message m = parse(std::string("NOTIFY * HTTP/1.1\r\n") + c.headers + "\r\n\r");
        EXPECT_EQ(m.has_expiry, c.has_expiry) << c.headers;
        if (c.has_expiry) {
            EXPECT_EQ(m.expiry, c.expiry) << c.headers;
        }
    }
}

struct mx_case {
    const char *value;
    int mx;
};

TEST(SsdpParse, MxIsAtLeastOne)
{
    const mx_case cases[] = {{"3", 3}, {"0", 1}, {"-4", 1}, {"many", 1}, {"99999999999999", INT_MAX}};
    for (const mx_case &c : cases)
        EXPECT_EQ(parse(std::string("M-SEARCH * HTTP/1.1\r\nMX: ") + c.value + "\r\n\r").mx, c.mx) << c.value;
}

struct location_case {
    const char *header;
    const char *location;
};

TEST(SsdpParse, AlternateLocationTakesTheFirstBracketedUrl)
{
    const location_case cases[] = {
        {"AL: <http://a/d.xml><http://b/d.xml>", "http://a/d.xml"},
        {"AL: >>http://a/d.xml>rest", "http://a/d.xml"},
        {"AL: <>", "kept"},
        {"AL: >>", "kept"},
        {"AL: http://a/d.xml", "http://a/d.xml"},
    };
    for (const location_case &c : cases) {
        ssdp_message m = parse(std::string("NOTIFY * HTTP/1.1\r\nLOCATION: kept\r\n") + c.header + "\r\n\r");
        EXPECT_STREQ(m.location, c.location) << c.header;
    }
}

TEST(SsdpParse, OverlongValuesAreCutToTheirFields)
{
    std::string usn(300, 'u');
    std::string location(2000, 'l');
    std::string junk(3 * SSDP_LINE_MAX, 'j');
    ssdp_message m = parse("NOTIFY * HTTP/1.1\r\nUSN: " + usn + "\r\nLOCATION: " + location + "\r\nX: " + junk +
                           "\r\nNT: after\r\n\r");
    EXPECT_EQ(strlen(m.usn), size_t(SSDP_HEADER_MAX));
    EXPECT_EQ(strlen(m.location), size_t(SSDP_LOCATION_MAX));
    EXPECT_STREQ(m.nt, "after");
}

TEST(SsdpParse, OverlongCacheControlStillReadsItsNumber)
{
    std::string padding(2 * SSDP_HEADER_MAX, ' ');
    ssdp_message m = parse("NOTIFY * HTTP/1.1\r\nCACHE-CONTROL: private," + padding + "max-age=" + padding + "7\r\n\r");
    EXPECT_TRUE(m.has_expiry);
    EXPECT_EQ(m.expiry, NOW + 7);
}

TEST(SsdpParse, TextWithoutEmptyLineIsIncomplete)
{
    ssdp_message m;
    EXPECT_EQ(ssdp_parse_message("NOTIFY * HTTP/1.1\r\nNT: x\r\n", NOW, &m), nullptr);
    EXPECT_EQ(ssdp_parse_message("NOTIFY * HTTP/1.1\r\nNT: x\r\n\n", NOW, &m), nullptr);
    EXPECT_EQ(ssdp_parse_message("", NOW, &m), nullptr);
}

TEST(SsdpParse, EmptyLineEndsOneMessageAndTheNextFollows)
{
    const char text[] = "NOTIFY * HTTP/1.1\r\nNT: first\r\n\rHTTP/1.1 200 OK\r\nST: second\r\n\r";
    ssdp_message m;
    const char *rest = ssdp_parse_message(text, NOW, &m);
    ASSERT_NE(rest, nullptr);
    EXPECT_STREQ(m.nt, "first");
    rest = ssdp_parse_message(rest, NOW, &m);
    ASSERT_NE(rest, nullptr);
    EXPECT_EQ(m.kind, SSDP_KIND_ANSWER);
    EXPECT_STREQ(m.nt, "");
    EXPECT_STREQ(m.st, "second");
    EXPECT_EQ(*rest, '\0');
}

}  // namespace
