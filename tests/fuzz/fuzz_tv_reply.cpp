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

// The peer's socket stays open to take the request after it has sent the
// bytes and shut its sending side.
void replay(const uint8_t *data, size_t size, bool import)
{
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
        return;
    tv_connection connection = {pair[0], TV_UNIT, 0, 0};
    svl_table table = {};
    if (tv_send_all(pair[1], data, size, 0) == 0 && shutdown(pair[1], SHUT_WR) == 0) {
        if (import)
            tv_import_table(&connection, &table);
        else if (svl_init_table(&table, SVL_VERSION_50) == 0)
            tv_export_table(&connection, &table);
    }
    svl_free_table(&table, 1);
    tv_close(&connection);
    close(pair[1]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > MAX_INPUT)
        return 0;
    replay(data, size, true);
    replay(data, size, false);
    return 0;
}
