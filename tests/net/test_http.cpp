#include "net/http.h"
#include "net/http_internal.h"
#include "tests/net/http_test_server.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

// ------------------------------------------------------------- url_split

struct SplitCase {
    const char *url;
    const char *service;
    const char *host;
    const char *path;
};

TEST(UrlSplit, SplitsServiceHostAndPath)
{
    const SplitCase cases[] = {
        { "http://192.168.1.20:80/desc.xml#top", "80", "192.168.1.20:80", "desc.xml" },
        { "http://192.168.1.20/desc.xml", "http", "192.168.1.20", "desc.xml" },
        { "http://tv.local", "http", "tv.local", "" },
        { "http://tv.local/", "http", "tv.local", "" },
        { "http://tv.local/#frag", "http", "tv.local", "" },
        { "tv:8080/a/b?x=1", "8080", "tv:8080", "a/b?x=1" },
        { "http://tv:/x", "http", "tv:", "x" },
        { "http://tv/a#b#c", "http", "tv", "a" },
    };
    for (const SplitCase &c : cases) {
        SCOPED_TRACE(c.url);
        url_parts *parts = url_split(c.url);
        ASSERT_NE(parts, nullptr);
        EXPECT_STREQ(parts->service, c.service);
        EXPECT_STREQ(parts->host, c.host);
        EXPECT_STREQ(parts->path, c.path);
        url_free_parts(parts);
    }
}

TEST(UrlSplit, RefusesMissingAndUnsafeUrls)
{
    const char *bad[] = {
        nullptr,
        "",
        "http://tv/a b",
        "http://tv/\r\nX-Injected: 1",
        "http://tv\t/",
        "http://tv/\x7f",
    };
    for (const char *url : bad) {
        SCOPED_TRACE(url ? url : "(null)");
        EXPECT_EQ(url_split(url), nullptr);
    }
}

// ------------------------------------------ connecting and requesting

TEST(UrlConnect, RefusesOverlongNodeNameAndClosedPort)
{
    std::string longHost = "http://" + std::string(256, 'a') + ":80/";
    url_parts *parts = url_split(longHost.c_str());
    ASSERT_NE(parts, nullptr);
    EXPECT_EQ(url_connect(parts), -1);
    url_free_parts(parts);

    std::string closed = "http://127.0.0.1:" + std::to_string(closedLocalPort()) + "/";
    EXPECT_EQ(url_get(closed.c_str()), -1);
    EXPECT_EQ(url_connect(nullptr), -1);
}

// A program started while a description is fetched must not inherit the socket.
TEST(UrlConnect, OpensTheSocketCloseOnExec)
{
    HttpTestServer server;
    url_parts *parts = url_split(server.url("/").c_str());
    ASSERT_NE(parts, nullptr);
    int sock = url_connect(parts);
    ASSERT_GE(sock, 0);
    EXPECT_NE(fcntl(sock, F_GETFD) & FD_CLOEXEC, 0);
    close(sock);
    url_free_parts(parts);
}

TEST(UrlSendText, SendsWholeTextAndRefusesNull)
{
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    EXPECT_EQ(url_send_text(pair[0], nullptr), -1);
    EXPECT_EQ(url_send_text(pair[0], ""), 0);
    EXPECT_EQ(url_send_text(pair[0], "hello"), 0);
    char buffer[16] = {};
    EXPECT_EQ(recv(pair[1], buffer, sizeof buffer, 0), 5);
    EXPECT_STREQ(buffer, "hello");
    close(pair[1]);
    EXPECT_EQ(url_send_text(pair[0], "to a closed peer"), -1) << "must fail, not raise SIGPIPE";
    close(pair[0]);
}

TEST(UrlGet, SendsTheExactRequest)
{
    HttpTestServer server;
    const std::string port = std::to_string(server.port());
    const struct {
        std::string path;
        std::string line;
    } cases[] = {
        { "", "GET / HTTP/1.1" },
        { "/dmr/desc.xml#top", "GET /dmr/desc.xml HTTP/1.1" },
    };
    for (const auto &c : cases) {
        int sock = url_get(server.url(c.path).c_str());
        ASSERT_GE(sock, 0);
        url_response response;
        memset(&response, 0, sizeof response);
        while (url_read_piece(sock, &response) == 1) {
        }
        close(sock);
    }
    std::vector<std::string> requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    for (size_t i = 0; i < requests.size(); ++i) {
        EXPECT_EQ(requests[i], cases[i].line + "\r\nUser-Agent: Mozilla/4.0 (Linux)\r\nHost: 127.0.0.1:" + port
                                   + "\r\nAccept: */*\r\nConnection: close\r\n\r\n");
    }
}

// -------------------------------------------------- response reading

struct Outcome {
    int result = 0;  // 0 complete body, -1 failure
    int error = URL_OK;
    int status = 0;
    std::string body;
};

struct ResponseCase {
    const char *name;
    std::string raw;
    int result;
    int error;
    int status;
    std::string body;
};

std::vector<ResponseCase> responseCases()
{
    return {
        { "content length", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n0123456789", 0, URL_OK, 200, "0123456789" },
        { "bytes beyond the length are dropped", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhelloJUNK", 0, URL_OK,
          200, "hello" },
        { "zero length", "HTTP/1.1 204 No Content\r\nContent-Length: 0\r\n\r\n", 0, URL_OK, 204, "" },
        { "lines ended by LF alone", "HTTP/1.0 200 OK\nContent-length: 2\n\nok", 0, URL_OK, 200, "ok" },
        { "chunks of 5 and 3", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n3\r\nabc\r\n0\r\n\r\n",
          0, URL_OK, 200, "helloabc" },
        { "chunk extensions and trailers",
          "HTTP/1.1 200 OK\r\ntransfer-encoding: CHUNKED\r\n\r\n5;name=value\r\nhello\r\nA ; x\r\n0123456789\r\n"
          "0;last\r\nX-Trailer: 1\r\n\r\n",
          0, URL_OK, 200, "hello0123456789" },
        { "chunked wins over content length",
          "HTTP/1.1 200 OK\r\nContent-Length: 3\r\nTransfer-Encoding: gzip, chunked\r\n\r\n4\r\nabcd\r\n0\r\n\r\n", 0,
          URL_OK, 200, "abcd" },
        { "last chunk without final empty line", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nab\r\n0\r\n",
          0, URL_OK, 200, "ab" },
        { "close delimited", "HTTP/1.1 200 OK\r\nServer: x\r\n\r\nbody until close", 0, URL_OK, 200,
          "body until close" },
        { "error status is recorded", "HTTP/1.1 404 Not Found\r\nContent-Length: 4\r\n\r\ngone", 0, URL_OK, 404,
          "gone" },
        { "header without colon is ignored", "HTTP/1.1 200 OK\r\nnonsense\r\nContent-Length: 1\r\n\r\nx", 0, URL_OK,
          200, "x" },
        { "not http", "HTP/1.1 200 OK\r\n\r\nbody", -1, URL_ERROR_STATUS_LINE, 0, "" },
        { "http 2", "HTTP/2.0 200 OK\r\n\r\nbody", -1, URL_ERROR_STATUS_LINE, 0, "" },
        { "letters in status", "HTTP/1.1 2x0 OK\r\n\r\nbody", -1, URL_ERROR_STATUS_LINE, 0, "" },
        { "four digit status", "HTTP/1.1 2000 OK\r\n\r\nbody", -1, URL_ERROR_STATUS_LINE, 0, "" },
        { "junk first line", "<html>hello</html>\r\n\r\n", -1, URL_ERROR_STATUS_LINE, 0, "" },
        { "length not a number", "HTTP/1.1 200 OK\r\nContent-Length: 1x\r\n\r\nx", -1, URL_ERROR_LENGTH, 200, "" },
        { "negative length", "HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\nx", -1, URL_ERROR_LENGTH, 200, "" },
        { "empty length", "HTTP/1.1 200 OK\r\nContent-Length:\r\n\r\nx", -1, URL_ERROR_LENGTH, 200, "" },
        { "two different lengths", "HTTP/1.1 200 OK\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nxy", -1,
          URL_ERROR_LENGTH, 200, "" },
        { "length over the cap", "HTTP/1.1 200 OK\r\nContent-Length: 1048577\r\n\r\nx", -1, URL_ERROR_TOO_LARGE, 200,
          "" },
        { "length overflowing", "HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999999\r\n\r\nx", -1,
          URL_ERROR_TOO_LARGE, 200, "" },
        { "chunk over the cap", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n100001\r\nx", -1,
          URL_ERROR_TOO_LARGE, 200, "" },
        { "chunk size overflowing", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nffffffffffffffffffff\r\n", -1,
          URL_ERROR_TOO_LARGE, 200, "" },
        { "chunk size not hex", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nx", -1, URL_ERROR_CHUNK, 200,
          "" },
        { "chunk size with junk", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5x\r\nhello\r\n", -1,
          URL_ERROR_CHUNK, 200, "" },
        { "chunk not ended by CR LF", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhelloXX\r\n0\r\n\r\n",
          -1, URL_ERROR_CHUNK, 200, "hello" },
        { "closed inside the length", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n0123", -1, URL_ERROR_TRUNCATED, 200,
          "0123" },
        { "closed inside a chunk", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhel", -1,
          URL_ERROR_TRUNCATED, 200, "hel" },
        { "closed before the last chunk", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nab\r\n", -1,
          URL_ERROR_TRUNCATED, 200, "ab" },
        { "closed inside the headers", "HTTP/1.1 200 OK\r\nContent-Le", -1, URL_ERROR_TRUNCATED, 200, "" },
        { "nothing at all", "", -1, URL_ERROR_TRUNCATED, 0, "" },
        { "header line longer than the buffer",
          "HTTP/1.1 200 OK\r\nX-Long: " + std::string(5000, 'a') + "\r\n\r\nbody", -1, URL_ERROR_HEADER, 200, "" },
        { "endless headers", "HTTP/1.1 200 OK\r\n" + [] {
              std::string headers;
              while (headers.size() <= URL_MAX_HEADER_BYTES)
                  headers += "X-Filler: 0123456789012345678901234567890123456789\r\n";
              return headers;
          }() + "\r\nbody",
          -1, URL_ERROR_HEADER, 200, "" },
        { "chunked body over the cap", [] {
              std::string raw = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
              std::string chunk(0x10000, 'c');
              for (int i = 0; i < 17; ++i)
                  raw += "10000\r\n" + chunk + "\r\n";
              return raw + "0\r\n\r\n";
          }(),
          -1, URL_ERROR_TOO_LARGE, 200, std::string(URL_MAX_BODY, 'c') },
        { "close delimited body over the cap", "HTTP/1.1 200 OK\r\n\r\n" + std::string(URL_MAX_BODY + 1, 'b'), -1,
          URL_ERROR_TOO_LARGE, 200, std::string(URL_MAX_BODY + 1, 'b') },
        { "chunked body exactly at the cap", httpChunkedResponse(std::string(URL_MAX_BODY, 'e'), 4000), 0, URL_OK, 200,
          std::string(URL_MAX_BODY, 'e') },
    };
}

// Takes pieces until more input is needed; true when the read ended.
bool takePieces(url_response *response, Outcome *outcome)
{
    for (;;) {
        int result = url_take_piece(response);
        if (result == URL_NEED_MORE)
            return false;
        if (result == 1) {
            EXPECT_GT(response->piece_length, 0u);
            outcome->body.append(response->piece, response->piece_length);
            continue;
        }
        outcome->result = result;
        return true;
    }
}

// Feeds the raw response in the given pieces, then reports the close.
Outcome readFed(const std::string &raw, const std::vector<size_t> &cuts)
{
    url_response response;
    memset(&response, 0, sizeof response);
    Outcome outcome;
    size_t at = 0;
    std::vector<size_t> ends = cuts;
    ends.push_back(raw.size());
    bool ended = false;
    for (size_t end : ends) {
        while (!ended && at < end) {
            at += url_feed(&response, raw.data() + at, end - at);
            ended = takePieces(&response, &outcome);
        }
    }
    if (!ended && !takePieces(&response, &outcome))
        outcome.result = url_finish(&response);
    outcome.error = response.error;
    outcome.status = response.status;
    return outcome;
}

void expectOutcome(const Outcome &outcome, const ResponseCase &c)
{
    EXPECT_EQ(outcome.result, c.result);
    EXPECT_EQ(outcome.error, c.error);
    EXPECT_EQ(outcome.status, c.status);
    if (c.result == 0)
        EXPECT_EQ(outcome.body, c.body);
    else
        EXPECT_EQ(outcome.body, c.body.substr(0, outcome.body.size())) << "bytes delivered before the failure";
}

TEST(ResponseReader, ReadsEveryCaseFedAtOnceAndSmallOnesSplitAtEveryByte)
{
    for (const ResponseCase &c : responseCases()) {
        SCOPED_TRACE(c.name);
        expectOutcome(readFed(c.raw, {}), c);
        if (c.raw.size() > 400)
            continue;
        for (size_t cut = 0; cut <= c.raw.size(); ++cut) {
            SCOPED_TRACE(std::string(c.name) + ", cut at " + std::to_string(cut));
            expectOutcome(readFed(c.raw, { cut }), c);
        }
        std::vector<size_t> everyByte;
        for (size_t i = 1; i < c.raw.size(); ++i)
            everyByte.push_back(i);
        SCOPED_TRACE(std::string(c.name) + ", byte by byte");
        expectOutcome(readFed(c.raw, everyByte), c);
    }
}

Outcome readFromServer(HttpTestServer &server, const std::string &raw)
{
    server.serve("/case", raw);
    int sock = url_get(server.url("/case").c_str());
    Outcome outcome;
    if (sock < 0) {
        ADD_FAILURE() << "no connection";
        return outcome;
    }
    url_response response;
    memset(&response, 0, sizeof response);
    response.wait_ms = 10000;
    int result;
    while ((result = url_read_piece(sock, &response)) == 1)
        outcome.body.append(response.piece, response.piece_length);
    close(sock);
    outcome.result = result;
    outcome.error = response.error;
    outcome.status = response.status;
    return outcome;
}

TEST(ResponseReader, ReadsEveryCaseFromTheServer)
{
    HttpTestServer server;
    for (const ResponseCase &c : responseCases()) {
        SCOPED_TRACE(c.name);
        expectOutcome(readFromServer(server, c.raw), c);
    }
}

TEST(ResponseReader, LengthEndsTheBodyWhileTheConnectionStaysOpen)
{
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    url_response response;
    memset(&response, 0, sizeof response);
    response.wait_ms = 10000;
    std::string body;
    const std::string parts[] = { "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n01234", "56789" };
    for (const std::string &part : parts) {
        ASSERT_EQ(send(pair[1], part.data(), part.size(), 0), (ssize_t)part.size());
        ASSERT_EQ(url_read_piece(pair[0], &response), 1);
        body.append(response.piece, response.piece_length);
    }
    EXPECT_EQ(url_read_piece(pair[0], &response), 0);
    EXPECT_EQ(body, "0123456789");
    close(pair[0]);
    close(pair[1]);
}

TEST(ResponseReader, SilenceEndsInATimeout)
{
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    url_response response;
    memset(&response, 0, sizeof response);
    response.wait_ms = 20;
    const char partial[] = "HTTP/1.1 200 OK\r\n";
    ASSERT_EQ(send(pair[1], partial, sizeof partial - 1, 0), (ssize_t)(sizeof partial - 1));
    EXPECT_EQ(url_read_piece(pair[0], &response), -1);
    EXPECT_EQ(response.error, URL_ERROR_TIMEOUT);
    EXPECT_EQ(response.status, 200);
    EXPECT_EQ(url_read_piece(pair[0], &response), -1) << "a failed read stays failed";
    close(pair[0]);
    close(pair[1]);
}

} // namespace
