// The TV transfer client against a peer played by the test: the exact
// request bytes, every kind of reply a set may give, bounded waits,
// close-on-exec sockets and no SIGPIPE; and the backup before an export
// against the simulated set.
#include <cerrno>
#include <csignal>
#include <string>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "svl/svl_image.h"
#include "svl/svl_sockets.h"
#include "svl/svl_tv.h"
#include "svl/svl_tv_internal.h"
#include "tests/support/http_server.h"
#include "tests/support/runners.h"
#include "tests/support/tables.h"
#include "tools/gen/svl_generate.h"

namespace {

const int SHORT_WAIT_MS = 200;

std::string receive(int fd, size_t length)
{
    std::string data(length, '\0');
    EXPECT_EQ(tv_recv_exact(fd, reinterpret_cast<uint8_t *>(&data[0]), length, 5000), 0);
    return data;
}

std::string bytes(std::initializer_list<int> values)
{
    return std::string(values.begin(), values.end());
}

const std::string ACK = bytes({0, 0, 0, 7, 0x01, 0xFD, 0, 0, 0x02, 0, 0xEA});

// A data reply whose unchecked header bytes hold junk.
std::string data_reply(const std::string &payload)
{
    return bytes({0, 0, 0, int(7 + payload.size()), 0x01, 0x11, 0xA5, 0x5A, 0x02, 0xC3, 0x3C}) + payload;
}

// A connection whose peer has sent exactly the bytes and shut its side.
int replay(tv_connection *connection, const std::string &reply)
{
    int pair[2];
    EXPECT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    EXPECT_EQ(tv_send_all(pair[1], reinterpret_cast<const uint8_t *>(reply.data()), reply.size(), 5000), 0);
    shutdown(pair[1], SHUT_WR);
    *connection = {pair[0], TV_UNIT, 0, SHORT_WAIT_MS};
    return pair[1];
}

// Requests on one connection are numbered from 0; a payload that would
// not fit the frame's 32-bit length is refused.
TEST(TvRequests, AreNumberedAndBounded)
{
    tv_connection connection;
    const int peer = replay(&connection, ACK + ACK);
    ASSERT_EQ(tv_request(&connection, TV_COMMAND_READ_TABLE, nullptr, 0), 0);
    ASSERT_EQ(tv_request(&connection, TV_COMMAND_READ_TABLE, nullptr, 0), 0);
    const std::string sent = receive(peer, 22);
    EXPECT_EQ(sent.substr(6, 2) + sent.substr(17, 2), bytes({0, 0, 0, 1})) << "sequence numbers 0 and 1";
    tv_close(&connection);
    close(peer);
    uint8_t header[TV_REQUEST_HEADER_SIZE];
    EXPECT_EQ(tv_encode_request_header(header, 0, 2, 235, UINT32_MAX - 7), 0);
    EXPECT_EQ(tv_encode_request_header(header, 0, 2, 235, size_t(UINT32_MAX) - 6), -1);
}

// What the set answers to a request, from the acknowledgement on. An
// export takes only the status 0 0, which none of these is.
struct Reply {
    const char *name;
    std::string bytes;
    int import_result;  // an imported table has its two base lists
    size_t unread;      // bytes an import must leave in the socket
};

const int OK = TV_OK, FAILED = TV_TRANSFER_FAILED;
const std::string TABLE = bytes({0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});  // status, empty 5.0 table

const Reply REPLIES[] = {
    {"table", ACK + data_reply(TABLE), OK, 0},
    {"nonzero_first_status", ACK + data_reply("\1" + TABLE.substr(1)), FAILED, 0},
    {"one_status_byte", ACK + data_reply(bytes({0})), FAILED, 0},
    {"no_payload", ACK + data_reply(""), FAILED, 0},
    {"ack_code_not_253", data_reply(bytes({0, 0})) + data_reply(bytes({0, 0})), FAILED, 13},
    // A well-formed status under the wrong code is no data reply.
    {"data_code_not_17", ACK + bytes({0, 0, 0, 9, 0x01, 0xFD, 0, 0, 0x02, 0, 0xEA, 0, 0}), FAILED, 0},
    {"length_zero", bytes({0, 0, 0, 0, 0x01, 0xFD, 0, 0, 0x02, 0, 0}), FAILED, 7},
    // The announced bytes are taken off the stream before giving up.
    {"length_below_seven", bytes({0, 0, 0, 3, 0x01, 0xFD, 0x02, 0xAA}), FAILED, 1},
    {"first_header_byte", bytes({0, 0, 0, 7, 0x02, 0xFD, 0, 0, 0x02, 0, 0}), FAILED, 0},
    {"unit_byte", bytes({0, 0, 0, 7, 0x01, 0xFD, 0, 0, 0x01, 0, 0}), FAILED, 0},
    {"length_cut_short", bytes({0, 0}), FAILED, 0},
    {"payload_cut_short", ACK + bytes({0, 0, 0, 10, 0x01, 0x11, 0, 0, 0x02, 0, 0, 0}), FAILED, 0},
    // Up to 64 MiB of payload are taken; beyond, the frame is refused
    // before anything is allocated and its header stays unread.
    {"largest_payload_cut_short", ACK + bytes({4, 0, 0, 7, 0x01, 0x11, 0, 0, 0x02, 0, 0}), FAILED, 0},
    {"oversized", ACK + bytes({4, 0, 0, 8, 0x01, 0x11, 0, 0, 0x02, 0, 0}), FAILED, 7},
};

// Whatever the answer, the read request and the write request with the
// table's image went out byte-exact before it.
TEST(TvReplies, EveryReplyEndsInTheResultOfBothOperations)
{
    for (const Reply &reply : REPLIES) {
        SCOPED_TRACE(reply.name);
        tv_connection connection;
        int peer = replay(&connection, reply.bytes);
        OwnedTable target, table;
        EXPECT_EQ(tv_import_table(&connection, &target.table), reply.import_result);
        EXPECT_EQ(target->list_count, reply.import_result == OK ? 2u : 0u);
        char rest[32];
        EXPECT_EQ(std::max(recv(connection.socket, rest, sizeof rest, MSG_DONTWAIT), ssize_t(0)), ssize_t(reply.unread));
        EXPECT_EQ(receive(peer, 11), bytes({0, 0, 0, 0x07, 0x01, 0x47, 0, 0, 0x02, 0, 0xEA}));
        tv_close(&connection);
        close(peer);
        peer = replay(&connection, reply.bytes);
        make_table(&table.table, 40, {make_station(40, 1, "ARD")}, {});  // a 112-byte image
        EXPECT_EQ(tv_export_table(&connection, &table.table), FAILED);
        EXPECT_EQ(receive(peer, 123), bytes({0, 0, 0, 0x77, 0x01, 0x47, 0, 0, 0x02, 0, 0xEB}) + image_of(&table.table));
        tv_close(&connection);
        close(peer);
    }
}

TEST(TvConnect, NoConnectionBeforeAnythingIsSentAndSocketsCloseOnExec)
{
    TvSim tv("127.0.5.2", {"--generate", "3"});
    ASSERT_TRUE(tv.wait_ready()) << tv.log();
    tv_connection connection;
    ASSERT_EQ(tv_connect_with(&connection, "127.0.5.2", TV_UNIT, tv.options()), 0);
    EXPECT_NE(fcntl(connection.socket, F_GETFD) & FD_CLOEXEC, 0);
    EXPECT_EQ(fcntl(connection.socket, F_GETFL) & O_NONBLOCK, 0) << "connected sockets block again";
    tv_close(&connection);
    OwnedTable empty;
    EXPECT_EQ(svl_export_to_tv_with(&empty.table, "127.0.5.2", tv.options()), TV_TRANSFER_FAILED)
        << "a table without base lists fails after connecting";
    const tv_options closed_port = {uint16_t(closed_local_port()), SHORT_WAIT_MS};
    for (const char *address : {"127.0.0.1", "::1", static_cast<const char *>(nullptr)})
        EXPECT_EQ(svl_export_to_tv_with(&empty.table, address, &closed_port), TV_NO_CONNECTION);
}

// The test runs with the default SIGPIPE disposition: a send without
// MSG_NOSIGNAL to a peer that hung up would end the test program.
TEST(TvSockets, WaitsEndAndAHungUpPeerCannotKillTheProcess)
{
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    uint8_t byte = 0;
    EXPECT_EQ(tv_recv_exact(pair[0], &byte, 0, 10), 0);
    EXPECT_EQ(tv_recv_exact(pair[0], &byte, 1, 10), -1);
    ASSERT_EQ(signal(SIGPIPE, SIG_DFL), SIG_DFL);
    close(pair[1]);
    EXPECT_EQ(tv_send_all(pair[0], &byte, 1, SHORT_WAIT_MS), -1);
    close(pair[0]);
    ASSERT_EQ(svl_sockets_startup(), 0);
    EXPECT_EQ(signal(SIGPIPE, SIG_IGN), SIG_IGN);
    svl_sockets_cleanup();
    EXPECT_EQ(signal(SIGPIPE, SIG_DFL), SIG_DFL);
}

// The set's table kept under the name asked for, in its own format, or the
// reason nothing was kept; a failed save tells why in errno.
TEST(TvBackup, KeepsTheSetsTableOrTellsWhyNot)
{
    Sandbox sandbox;
    OwnedTable old;
    ASSERT_EQ(svl_generate_table(&old.table, {5, 40, 0, 0, 4}), 0);
    ASSERT_EQ(svl_save_file(&old.table, sandbox.file("old.svl40").c_str()), 0);
    const int SUFFIX = TV_BACKUP_NAME_ADD_SUFFIX;
    const struct {
        std::vector<std::string> set;  // what the simulated set starts with
        const char *name;
        int naming, result;
        const char *file, *suffix;  // the file written and the suffix told; null when none
    } backups[] = {
        {{"--generate", "3"}, "new", SUFFIX, TV_OK, "new.svl50", ".svl50"},
        {{sandbox.file("old.svl40")}, "old", TV_BACKUP_NAME_AS_GIVEN, TV_OK, "old", ".svl40"},
        {{"--fault", "empty-table", "--generate", "3"}, "empty", SUFFIX, TV_BACKUP_NO_TABLE, nullptr, nullptr},
        {{"--fault", "refuse", "--generate", "3"}, "refused", SUFFIX, TV_NO_CONNECTION, nullptr, nullptr},
        {{"--generate", "3"}, "absent/new", SUFFIX, TV_BACKUP_UNWRITABLE, nullptr, ".svl50"},
    };
    int host = 10;
    for (const auto &backup : backups) {
        SCOPED_TRACE(backup.name);
        const std::string address = "127.0.5." + std::to_string(host++), name = sandbox.file(backup.name);
        TvSim sim(address, backup.set);
        ASSERT_TRUE(sim.wait_ready()) << sim.log();
        const char *suffix = nullptr;
        const int result = svl_back_up_tv_table(address.c_str(), sim.options(), name.c_str(), backup.naming, &suffix);
        const int error = errno;
        EXPECT_EQ(result, backup.result);
        EXPECT_STREQ(suffix, backup.suffix);
        EXPECT_EQ(names_in(sandbox.path()).size(), backup.file ? 2u : 1u);
        EXPECT_TRUE(result != TV_BACKUP_UNWRITABLE || error == ENOENT) << "errno " << error;
        if (backup.file) {
            OwnedTable held, kept;
            ASSERT_EQ(svl_import_from_tv_with(&held.table, address.c_str(), sim.options()), TV_OK);
            ASSERT_EQ(svl_load_file(&kept.table, sandbox.file(backup.file).c_str()), 0);
            EXPECT_EQ(image_of(&kept.table), image_of(&held.table));
            remove(sandbox.file(backup.file).c_str());
        }
    }
    EXPECT_EQ(svl_back_up_tv_table("127.0.5.9", nullptr, nullptr, SUFFIX, nullptr), TV_BACKUP_UNWRITABLE);
}

}  // namespace
