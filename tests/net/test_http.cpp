// The HTTP client: splitting URLs, the exact request, and the response
// reader fed whole, split anywhere and over loopback.
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "net/http.h"
#include "net/http_internal.h"
#include "tests/support/http_server.h"

namespace {

TEST(UrlSplit, SplitsServiceHostAndPathAndRefusesUnsafeUrls)
{
    const std::pair<const char *, const char *> cases[] = {
        {"http://192.168.1.20/desc.xml", "http 192.168.1.20 desc.xml"},
        {"tv:8080/a/b?x=1", "8080 tv:8080 a/b?x=1"},
        {"http://tv:/x", "http tv: x"},
        {"", "refused"},
        {"http://tv/a b", "refused"},
        {"http://tv/\r\nX-Injected: 1", "refused"},
        {"http://tv/\x7f", "refused"},
    };
    for (const auto &c : cases) {
        url_parts *parts = url_split(c.first);
        EXPECT_EQ(parts ? std::string(parts->service) + " " + parts->host + " " + parts->path : "refused", c.second)
            << c.first;
        url_free_parts(parts);
    }
    EXPECT_EQ(url_split(nullptr), nullptr);
}

TEST(UrlGet, SendsTheExactRequestOnACloseOnExecSocket)
{
    HttpServer server;
    for (const char *path : {"", "/dmr/desc.xml#top"}) {
        const int sock = url_get(server.url(path).c_str());
        ASSERT_GE(sock, 0);
        EXPECT_NE(fcntl(sock, F_GETFD) & FD_CLOEXEC, 0);
        url_response response = {};
        while (url_read_piece(sock, &response) == 1) {
        }
        close(sock);
    }
    const std::string rest = "\r\nUser-Agent: Mozilla/4.0 (Linux)\r\nHost: " + server.url("").substr(7) +
                             "\r\nAccept: */*\r\nConnection: close\r\n\r\n";
    EXPECT_EQ(server.requests(),
              (std::vector<std::string>{"GET / HTTP/1.1" + rest, "GET /dmr/desc.xml HTTP/1.1" + rest}));

    const std::string long_host = "http://" + std::string(256, 'a') + ":80/";
    url_parts *parts = url_split(long_host.c_str());
    EXPECT_EQ(url_connect(parts), -1);
    url_free_parts(parts);
    EXPECT_EQ(url_connect(nullptr), -1);
    EXPECT_EQ(url_get(("http://127.0.0.1:" + std::to_string(closed_local_port()) + "/").c_str()), -1);
}

using Results = std::vector<int>;

struct Outcome {
    int result = 0;  // 0 complete body, -1 failure
    int error = URL_OK;
    int status = 0;
    std::string body;
};

struct ResponseCase {
    const char *name;
    std::string raw;
    Outcome expected;  // on failure, body is what may come before it
};

std::string repeated(const std::string &text, size_t times)
{
    std::string out;
    while (times-- > 0)
        out += text;
    return out;
}

const std::string CHUNKED = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";

const ResponseCase RESPONSES[] = {
    {"bytes_beyond_the_length", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhelloJUNK", {0, URL_OK, 200, "hello"}},
    {"zero_length", "HTTP/1.1 204 No Content\r\nContent-Length: 0\r\n\r\n", {0, URL_OK, 204, ""}},
    {"lf_line_ends", "HTTP/1.0 200 OK\nContent-length: 2\n\nok", {0, URL_OK, 200, "ok"}},
    {"chunk_extensions_and_trailers",
     "HTTP/1.1 200 OK\r\ntransfer-encoding: CHUNKED\r\n\r\n5;name=value\r\nhello\r\nA ; x\r\n0123456789\r\n"
     "0;last\r\nX-Trailer: 1\r\n\r\n",
     {0, URL_OK, 200, "hello0123456789"}},
    {"chunked_wins_over_length",
     "HTTP/1.1 200 OK\r\nContent-Length: 3\r\nTransfer-Encoding: gzip, chunked\r\n\r\n4\r\nabcd\r\n0\r\n\r\n",
     {0, URL_OK, 200, "abcd"}},
    {"not_chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: unchunked\r\n\r\n4\r\n", {0, URL_OK, 200, "4\r\n"}},
    {"last_chunk_without_empty_line", CHUNKED + "2\r\nab\r\n0\r\n", {0, URL_OK, 200, "ab"}},
    {"until_the_close", "HTTP/1.1 200 OK\r\nServer: x\r\n\r\nbody until close", {0, URL_OK, 200, "body until close"}},
    {"header_without_colon", "HTTP/1.1 200 OK\r\nnonsense\r\nContent-Length: 1\r\n\r\nx", {0, URL_OK, 200, "x"}},
    {"not_http", "HTP/1.1 200 OK\r\n\r\nbody", {-1, URL_ERROR_STATUS_LINE, 0, ""}},
    {"letters_in_status", "HTTP/1.1 2x0 OK\r\n\r\nbody", {-1, URL_ERROR_STATUS_LINE, 0, ""}},
    {"four_digit_status", "HTTP/1.1 2000 OK\r\n\r\nbody", {-1, URL_ERROR_STATUS_LINE, 0, ""}},
    {"short_status_line", "HTTP/1.1 20\r\n\r\n", {-1, URL_ERROR_STATUS_LINE, 0, ""}},
    {"length_not_a_number", "HTTP/1.1 200 OK\r\nContent-Length: 1x\r\n\r\nx", {-1, URL_ERROR_LENGTH, 200, ""}},
    {"two_lengths", "HTTP/1.1 200 OK\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nxy", {-1, URL_ERROR_LENGTH, 200, ""}},
    {"length_over_the_cap", "HTTP/1.1 200 OK\r\nContent-Length: 1048577\r\n\r\nx", {-1, URL_ERROR_TOO_LARGE, 200, ""}},
    {"length_overflowing", "HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\nx",
     {-1, URL_ERROR_TOO_LARGE, 200, ""}},
    {"chunk_over_the_cap", CHUNKED + "100001\r\nx", {-1, URL_ERROR_TOO_LARGE, 200, ""}},
    {"chunk_size_not_hex", CHUNKED + "zz\r\nx", {-1, URL_ERROR_CHUNK, 200, ""}},
    {"chunk_size_with_junk", CHUNKED + "5x\r\nhello\r\n", {-1, URL_ERROR_CHUNK, 200, ""}},
    {"chunk_not_ended_by_cr_lf", CHUNKED + "5\r\nhelloXX\r\n0\r\n\r\n", {-1, URL_ERROR_CHUNK, 200, "hello"}},
    {"closed_inside_the_length", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n0123",
     {-1, URL_ERROR_TRUNCATED, 200, "0123"}},
    {"closed_before_the_last_chunk", CHUNKED + "2\r\nab\r\n", {-1, URL_ERROR_TRUNCATED, 200, "ab"}},
    {"closed_inside_the_headers", "HTTP/1.1 200 OK\r\nContent-Le", {-1, URL_ERROR_TRUNCATED, 200, ""}},
    {"nothing", "", {-1, URL_ERROR_TRUNCATED, 0, ""}},
    {"header_longer_than_the_buffer", "HTTP/1.1 200 OK\r\nX-Long: " + std::string(5000, 'a') + "\r\n\r\nbody",
     {-1, URL_ERROR_HEADER, 200, ""}},
    {"endless_headers",
     "HTTP/1.1 200 OK\r\n" + repeated("X-Filler: 0123456789012345678901234567890123456789\r\n", 1300) + "\r\nbody",
     {-1, URL_ERROR_HEADER, 200, ""}},
    {"chunked_body_over_the_cap", CHUNKED + repeated("10000\r\n" + std::string(0x10000, 'c') + "\r\n", 17) + "0\r\n\r\n",
     {-1, URL_ERROR_TOO_LARGE, 200, std::string(URL_MAX_BODY, 'c')}},
    {"body_until_the_close_over_the_cap", "HTTP/1.1 200 OK\r\n\r\n" + std::string(URL_MAX_BODY + 1, 'b'),
     {-1, URL_ERROR_TOO_LARGE, 200, std::string(URL_MAX_BODY + 1, 'b')}},
    {"chunked_body_at_the_cap", http_chunked_response(std::string(URL_MAX_BODY, 'e'), 4000),
     {0, URL_OK, 200, std::string(URL_MAX_BODY, 'e')}},
};

// Feeds the raw response in pieces ending at the cuts, then reports the close.
Outcome read_fed(const std::string &raw, std::vector<size_t> cuts)
{
    url_response response = {};
    Outcome outcome;
    cuts.push_back(raw.size());
    size_t at = 0;
    int result = URL_NEED_MORE;
    for (size_t end : cuts) {
        while (result == URL_NEED_MORE && at < end) {
            at += url_feed(&response, raw.data() + at, end - at);
            while ((result = url_take_piece(&response)) == 1) {
                EXPECT_GT(response.piece_length, 0u);
                outcome.body.append(response.piece, response.piece_length);
            }
        }
    }
    outcome.result = result == URL_NEED_MORE ? url_finish(&response) : result;
    outcome.error = response.error;
    outcome.status = response.status;
    return outcome;
}

void expect_outcome(const Outcome &outcome, const Outcome &expected)
{
    EXPECT_EQ((Results{outcome.result, outcome.error, outcome.status}),
              (Results{expected.result, expected.error, expected.status}));
    EXPECT_EQ(outcome.body, expected.result == 0 ? expected.body : expected.body.substr(0, outcome.body.size()));
}

TEST(ResponseReader, ReadsEachResponseWholeAndSplitAnywhere)
{
    for (const ResponseCase &c : RESPONSES) {
        SCOPED_TRACE(c.name);
        expect_outcome(read_fed(c.raw, {}), c.expected);
        if (c.raw.size() > 400)
            continue;
        std::vector<size_t> every_byte;
        for (size_t cut = 0; cut <= c.raw.size(); ++cut) {
            expect_outcome(read_fed(c.raw, {cut}), c.expected);
            every_byte.push_back(cut);
        }
        expect_outcome(read_fed(c.raw, every_byte), c.expected);
    }
}

// The length ends the body though the connection stays open; silence ends
// in a timeout, and a failed read stays failed. Sending to a peer that hung
// up fails instead of raising SIGPIPE.
TEST(UrlSocket, ReadsToTheLengthGivesUpOnSilenceAndFailsOnAHungUpPeer)
{
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    url_response response = {};
    response.wait_ms = 50;
    std::string body;
    for (const std::string part : {"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n01234", "56789"}) {
        ASSERT_EQ(send(pair[1], part.data(), part.size(), 0), ssize_t(part.size()));
        ASSERT_EQ(url_read_piece(pair[0], &response), 1);
        body.append(response.piece, response.piece_length);
    }
    EXPECT_EQ(url_read_piece(pair[0], &response), 0);
    EXPECT_EQ(body, "0123456789");

    url_response silent = {};
    silent.wait_ms = 20;
    ASSERT_EQ(send(pair[1], "HTTP/1.1 200 OK\r\n", 17, 0), 17);
    EXPECT_EQ((Results{url_read_piece(pair[0], &silent), silent.error, silent.status, url_read_piece(pair[0], &silent),
                       url_read_piece(pair[0], nullptr), url_send_text(pair[0], nullptr)}),
              (Results{-1, URL_ERROR_TIMEOUT, 200, -1, -1, -1}));
    close(pair[1]);
    EXPECT_EQ(url_send_text(pair[0], "to a closed peer"), -1);
    close(pair[0]);
}

}  // namespace
