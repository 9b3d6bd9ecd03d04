// The TV transfer client against a peer played by the test: byte-exact
// request frames, reply frames good and bad, bounded waits, and no SIGPIPE.
#include <csignal>
#include <cstring>
#include <future>
#include <string>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "svl/svl_sockets.h"
#include "svl/svl_tv.h"
#include "svl/svl_tv_internal.h"

namespace {

using bytes = std::vector<uint8_t>;

const int SHORT_WAIT_MS = 200;

// A listening socket on a loopback address of the test's own, on a free port.
class Listener {
public:
    explicit Listener(const char *address, bool listening = true)
    {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in where = {};
        where.sin_family = AF_INET;
        inet_pton(AF_INET, address, &where.sin_addr);
        EXPECT_EQ(bind(fd_, reinterpret_cast<sockaddr *>(&where), sizeof where), 0);
        socklen_t size = sizeof where;
        getsockname(fd_, reinterpret_cast<sockaddr *>(&where), &size);
        options_.port = ntohs(where.sin_port);
        options_.wait_ms = SHORT_WAIT_MS;
        if (listening) {
            EXPECT_EQ(listen(fd_, 4), 0);
        }
    }
    ~Listener() { close(fd_); }
    const tv_options *options() const { return &options_; }
    int accept_one() { return accept(fd_, nullptr, nullptr); }

private:
    int fd_;
    tv_options options_;
};

bytes receive(int fd, size_t length)
{
    bytes data(length);
    EXPECT_EQ(tv_recv_exact(fd, data.data(), length, 5000), 0);
    return data;
}

void send_bytes(int fd, const bytes &data)
{
    ASSERT_EQ(tv_send_all(fd, data.data(), data.size(), 5000), 0);
}

bytes cat(bytes a, const bytes &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const bytes ACK = {0x00, 0x00, 0x00, 0x07, 0x01, 0xFD, 0x00, 0x00, 0x02, 0x00, 0xEA};

// A data reply whose unchecked header bytes hold junk.
bytes data_reply(const bytes &payload)
{
    uint32_t length = static_cast<uint32_t>(7 + payload.size());
    bytes frame = {uint8_t(length >> 24), uint8_t(length >> 16), uint8_t(length >> 8), uint8_t(length),
                   0x01, 0x11, 0xA5, 0x5A, 0x02, 0xC3, 0x3C};
    return cat(frame, payload);
}

// A 4.0 table with one TV station named ARD: a 112-byte image.
void make_ard_table(svl_table *table)
{
    ASSERT_EQ(svl_init_table(table, SVL_VERSION_40), 0);
    svl_station *ard = svl_new_station(SVL_VERSION_40);
    ard->ProgramDataByte = 1;
    ASSERT_EQ(svl_set_station_name(ard, "ARD"), 0);
    ASSERT_EQ(svl_append_station(table->lists[0], ard), 0);
}

TEST(TvRequest, ReadRequestIsTheElevenBytesOfCommand234)
{
    Listener tv("127.0.5.1");
    svl_table target = {};
    auto import = std::async(std::launch::async,
                             [&] { return svl_import_from_tv_with(&target, "127.0.5.1", tv.options()); });
    int peer = tv.accept_one();
    EXPECT_EQ(receive(peer, 11), (bytes{0x00, 0x00, 0x00, 0x07, 0x01, 0x47, 0x00, 0x00, 0x02, 0x00, 0xEA}));
    send_bytes(peer, cat(ACK, data_reply({0x00, 0x00})));
    EXPECT_EQ(import.get(), TV_OK);
    EXPECT_EQ(target.list_count, 0u);
    close(peer);
}

struct WriteCase {
    const char *name;
    bytes status;
    int result;
};

class TvWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(TvWrite, SendsTheImageBehindCommand235AndJudgesTheStatus)
{
    Listener tv("127.0.5.2");
    svl_table table = {};
    make_ard_table(&table);
    size_t length = 0;
    uint8_t *image = svl_build_table(&table, &length);
    ASSERT_EQ(length, 112u);
    auto exported = std::async(std::launch::async,
                               [&] { return svl_export_to_tv_with(&table, "127.0.5.2", tv.options()); });
    int peer = tv.accept_one();
    EXPECT_EQ(receive(peer, 11), (bytes{0x00, 0x00, 0x00, 0x77, 0x01, 0x47, 0x00, 0x00, 0x02, 0x00, 0xEB}));
    EXPECT_EQ(receive(peer, 112), bytes(image, image + length));
    send_bytes(peer, cat(ACK, data_reply(GetParam().status)));
    EXPECT_EQ(exported.get(), GetParam().result);
    close(peer);
    svl_free_image(image);
    svl_free_table(&table, 1);
}

INSTANTIATE_TEST_SUITE_P(Status, TvWrite,
                         testing::Values(WriteCase{"accepted", {0x00, 0x00}, TV_OK},
                                         WriteCase{"refused", {0x00, 0x01}, TV_TRANSFER_FAILED},
                                         WriteCase{"one_byte", {0x00}, TV_TRANSFER_FAILED},
                                         WriteCase{"three_bytes", {0x00, 0x00, 0x00}, TV_TRANSFER_FAILED},
                                         WriteCase{"none", {}, TV_TRANSFER_FAILED}),
                         [](const testing::TestParamInfo<WriteCase> &info) { return info.param.name; });

TEST(TvRequest, SequenceNumberAdvancesWithEachRequest)
{
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    tv_connection connection = {pair[0], TV_UNIT, 0, SHORT_WAIT_MS};
    send_bytes(pair[1], cat(ACK, ACK));
    ASSERT_EQ(tv_request(&connection, TV_COMMAND_READ_TABLE, nullptr, 0), 0);
    ASSERT_EQ(tv_request(&connection, TV_COMMAND_READ_TABLE, nullptr, 0), 0);
    bytes sent = receive(pair[1], 22);
    EXPECT_EQ(sent[6] << 8 | sent[7], 0);
    EXPECT_EQ(sent[17] << 8 | sent[18], 1);
    tv_close(&connection);
    close(pair[1]);
}

TEST(TvRequest, RefusesAPayloadTheLengthFieldCannotHold)
{
    uint8_t header[TV_REQUEST_HEADER_SIZE];
    EXPECT_EQ(tv_encode_request_header(header, 0, 2, 235, UINT32_MAX - 7), 0);
    EXPECT_EQ(tv_encode_request_header(header, 0, 2, 235, size_t(UINT32_MAX) - 6), -1);
}

// ---- reading replies over a socket pair ----

struct FrameCase {
    const char *name;
    bytes reply;
    int result;
    uint8_t code;
    bytes payload;
    size_t left_unread;  // bytes of reply the reader must not have taken
};

class TvReadFrame : public testing::TestWithParam<FrameCase> {};

TEST_P(TvReadFrame, ChecksEveryFieldBeforeTrustingIt)
{
    const FrameCase &c = GetParam();
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    send_bytes(pair[1], c.reply);
    shutdown(pair[1], SHUT_WR);
    tv_connection connection = {pair[0], TV_UNIT, 0, SHORT_WAIT_MS};
    uint8_t code = 0;
    uint8_t *payload = reinterpret_cast<uint8_t *>(&code);  // must be overwritten
    size_t length = 0;
    EXPECT_EQ(tv_read_frame(&connection, &code, &payload, &length), c.result);
    if (c.result == 0) {
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(bytes(payload, payload + length), c.payload);
    }
    if (c.result != 0 || c.payload.empty()) {
        EXPECT_EQ(payload, nullptr);
    }
    tv_free_payload(payload);
    uint8_t rest[16];
    ssize_t unread = recv(pair[0], rest, sizeof rest, MSG_DONTWAIT);
    EXPECT_EQ(static_cast<size_t>(unread > 0 ? unread : 0), c.left_unread);
    tv_close(&connection);
    close(pair[1]);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, TvReadFrame,
    testing::Values(
        FrameCase{"ack", ACK, 0, 0xFD, {}, 0},
        FrameCase{"data", data_reply({0x00, 0x00, 0x07}), 0, 0x11, {0x00, 0x00, 0x07}, 0},
        FrameCase{"length_zero", {0, 0, 0, 0, 0x01, 0xFD, 0, 0, 0x02, 0, 0}, -1, 0, {}, 7},
        FrameCase{"length_below_seven_is_taken_off", {0, 0, 0, 3, 0x01, 0x11, 0x02, 0xAA}, -1, 0, {}, 1},
        FrameCase{"first_header_byte", {0, 0, 0, 7, 0x02, 0xFD, 0, 0, 0x02, 0, 0}, -1, 0, {}, 0},
        FrameCase{"unit_byte", {0, 0, 0, 7, 0x01, 0xFD, 0, 0, 0x01, 0, 0}, -1, 0, {}, 0},
        FrameCase{"header_cut_short", {0, 0, 0, 7, 0x01, 0xFD}, -1, 0, {}, 0},
        FrameCase{"length_cut_short", {0, 0}, -1, 0, {}, 0},
        FrameCase{"payload_cut_short", {0, 0, 0, 10, 0x01, 0x11, 0, 0, 0x02, 0, 0, 0x00}, -1, 0, {}, 0},
        // 64 MiB + 1 payload bytes: refused before reading on, so nothing
        // is allocated and the header stays in the socket.
        FrameCase{"oversized", {0x04, 0x00, 0x00, 0x08, 0x01, 0x11, 0, 0, 0x02, 0, 0}, -1, 0, {}, 7},
        FrameCase{"almost_4_gib", {0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x11, 0, 0, 0x02, 0, 0}, -1, 0, {}, 7}),
    [](const testing::TestParamInfo<FrameCase> &info) { return info.param.name; });

TEST(TvReadFrame, AcceptsPayloadsUpTo64MiB)
{
    size_t length = 0;
    const uint8_t largest[4] = {0x04, 0x00, 0x00, 0x07};
    const uint8_t too_large[4] = {0x04, 0x00, 0x00, 0x08};
    EXPECT_EQ(tv_decode_reply_length(largest, &length), 0);
    EXPECT_EQ(length, size_t(64) * 1024 * 1024);
    EXPECT_EQ(tv_decode_reply_length(too_large, &length), -1);
}

TEST(TvReadData, TakesOnlyDataReplies)
{
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    send_bytes(pair[1], cat(data_reply({0x00, 0x00}), bytes{0x00, 0x00, 0x00, 0x08, 0x01, 0xFD, 0, 0, 0x02, 0, 0, 0x00}));
    tv_connection connection = {pair[0], TV_UNIT, 0, SHORT_WAIT_MS};
    uint8_t *payload = nullptr;
    size_t length = 0;
    ASSERT_EQ(tv_read_data(&connection, &payload, &length), 0);
    EXPECT_EQ(bytes(payload, payload + length), (bytes{0x00, 0x00}));
    tv_free_payload(payload);
    EXPECT_EQ(tv_read_data(&connection, &payload, &length), -1);
    EXPECT_EQ(payload, nullptr);
    tv_close(&connection);
    close(pair[1]);
}

// ---- the payload of a read ----

struct PayloadCase {
    const char *name;
    bytes payload;
    int result;
    uint32_t lists;
};

class TvTablePayload : public testing::TestWithParam<PayloadCase> {};

TEST_P(TvTablePayload, NeedsTwoZeroStatusBytesAndAValidImage)
{
    svl_table target = {};
    const bytes &payload = GetParam().payload;
    EXPECT_EQ(tv_parse_table_payload(&target, payload.data(), payload.size()), GetParam().result);
    EXPECT_EQ(target.list_count, GetParam().lists);
    svl_free_table(&target, 1);
}

const bytes EMPTY_50_IMAGE = {0x00, 0x05, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Payloads, TvTablePayload,
    testing::Values(PayloadCase{"nothing", {}, TV_TRANSFER_FAILED, 0},
                    PayloadCase{"one_byte", {0x00}, TV_TRANSFER_FAILED, 0},
                    PayloadCase{"status_alone_is_no_table", {0x00, 0x00}, TV_OK, 0},
                    PayloadCase{"nonzero_status", cat({0x00, 0x01}, EMPTY_50_IMAGE), TV_TRANSFER_FAILED, 0},
                    PayloadCase{"nonzero_first_status", cat({0x01, 0x00}, EMPTY_50_IMAGE), TV_TRANSFER_FAILED, 0},
                    PayloadCase{"table", cat({0x00, 0x00}, EMPTY_50_IMAGE), TV_OK, 2},
                    PayloadCase{"invalid_version", {0x00, 0x00, 0x09, 0x00, 0, 0, 0, 0}, TV_TRANSFER_FAILED, 0},
                    PayloadCase{"truncated_image", {0x00, 0x00, 0x00, 0x05, 0x01, 0, 0, 0}, TV_TRANSFER_FAILED, 0}),
    [](const testing::TestParamInfo<PayloadCase> &info) { return info.param.name; });

// ---- connecting and waiting ----

// A program started while a transfer runs must not inherit its socket.
TEST(TvConnect, OpensTheSocketCloseOnExec)
{
    Listener tv("127.0.5.5");
    tv_connection connection;
    ASSERT_EQ(tv_connect_with(&connection, "127.0.5.5", TV_UNIT, tv.options()), 0);
    EXPECT_NE(fcntl(connection.socket, F_GETFD) & FD_CLOEXEC, 0);
    tv_close(&connection);
}

TEST(TvConnect, NoConnectionWhenNothingListens)
{
    Listener closed_port("127.0.5.3", false);
    svl_table target = {};
    EXPECT_EQ(svl_import_from_tv_with(&target, "127.0.5.3", closed_port.options()), TV_NO_CONNECTION);
    EXPECT_EQ(svl_export_to_tv_with(&target, "127.0.5.3", closed_port.options()), TV_NO_CONNECTION);
}

TEST(TvConnect, NoConnectionForAnAddressWithoutAnIPv4Form)
{
    svl_table target = {};
    tv_options options = tv_default_options();
    EXPECT_EQ(svl_import_from_tv_with(&target, "::1", &options), TV_NO_CONNECTION);
    EXPECT_EQ(svl_import_from_tv_with(&target, nullptr, &options), TV_NO_CONNECTION);
    EXPECT_EQ(target.list_count, 0u);
}

TEST(TvConnect, DefaultsArePort1938AndOneMinute)
{
    tv_options options = tv_default_options();
    EXPECT_EQ(options.port, 1938);
    EXPECT_EQ(options.wait_ms, 60000);
}

TEST(TvExport, TableWithoutBaseListsFailsAfterConnecting)
{
    Listener tv("127.0.5.4");
    svl_table empty = {};
    EXPECT_EQ(svl_export_to_tv_with(&empty, "127.0.5.4", tv.options()), TV_TRANSFER_FAILED);
}

TEST(TvRecvExact, GivesUpAfterTheWait)
{
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    uint8_t byte = 0;
    EXPECT_EQ(tv_recv_exact(pair[0], &byte, 0, 10), 0);
    EXPECT_EQ(tv_recv_exact(pair[0], &byte, 1, 10), -1);
    close(pair[0]);
    close(pair[1]);
}

// The test runs with the default SIGPIPE disposition: a send without
// MSG_NOSIGNAL would end the test program here.
TEST(TvSendAll, PeerThatHungUpCannotKillTheProcess)
{
    ASSERT_EQ(signal(SIGPIPE, SIG_DFL), SIG_DFL);
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    close(pair[1]);
    const uint8_t data[4] = {1, 2, 3, 4};
    EXPECT_EQ(tv_send_all(pair[0], data, sizeof data, SHORT_WAIT_MS), -1);
    close(pair[0]);
}

TEST(SvlSockets, StartupIgnoresSigpipeAndCleanupRestoresIt)
{
    signal(SIGPIPE, SIG_DFL);
    ASSERT_EQ(svl_sockets_startup(), 0);
    EXPECT_EQ(signal(SIGPIPE, SIG_IGN), SIG_IGN);
    svl_sockets_cleanup();
    EXPECT_EQ(signal(SIGPIPE, SIG_DFL), SIG_DFL);
}

}  // namespace
