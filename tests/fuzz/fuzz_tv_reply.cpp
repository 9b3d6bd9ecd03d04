// Arbitrary bytes as a TV set's whole answer to an import and to an export:
// written into a socket pair whose far end is then shut, so every read
// either finds its bytes or sees the set hang up.
#include <cstddef>
#include <cstdint>

#include <sys/socket.h>
#include <unistd.h>

#include "svl/svl_ops.h"
#include "svl/svl_tv.h"
#include "svl/svl_tv_internal.h"

namespace {

// Larger inputs would not fit the socket pair's buffer in one go.
const size_t MAX_INPUT = 64 * 1024;

// A connection whose peer has sent exactly the bytes and shut its sending
// side; the peer's socket stays open to take the request. Returns the
// peer's socket, or -1 when no socket pair is to be had.
int connect_to_replay(tv_connection *connection, const uint8_t *data, size_t size)
{
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
        return -1;
    if (tv_send_all(pair[1], data, size, 0) != 0 || shutdown(pair[1], SHUT_WR) != 0) {
        close(pair[0]);
        close(pair[1]);
        return -1;
    }
    *connection = {pair[0], TV_UNIT, 0, 0};
    return pair[1];
}

void replay_import(const uint8_t *data, size_t size)
{
    tv_connection connection;
    int peer = connect_to_replay(&connection, data, size);
    if (peer < 0)
        return;
    svl_table target = {};
    tv_import_table(&connection, &target);
    svl_free_table(&target, 1);
    tv_close(&connection);
    close(peer);
}

void replay_export(const uint8_t *data, size_t size)
{
    tv_connection connection;
    int peer = connect_to_replay(&connection, data, size);
    if (peer < 0)
        return;
    svl_table table = {};
    if (svl_init_table(&table, SVL_VERSION_50) == 0)
        tv_export_table(&connection, &table);
    svl_free_table(&table, 1);
    tv_close(&connection);
    close(peer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > MAX_INPUT)
        return 0;
    replay_import(data, size);
    replay_export(data, size);
    return 0;
}
