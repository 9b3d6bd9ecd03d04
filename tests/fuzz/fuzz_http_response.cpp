// Feeds arbitrary bytes as an HTTP response to the response reader, in
// pieces whose sizes come from the input, and checks what it delivers.
#include "net/http.h"
#include "net/http_internal.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

static void check_piece(const url_response &response)
{
    const char *end = response.buffer + URL_BUFFER_SIZE;
    const bool inside = response.piece_length > 0 && response.piece >= response.buffer
                        && response.piece + response.piece_length <= end;
    const bool beyond_length = response.chunk_state < 0 && response.content_length >= 0
                               && response.delivered > size_t(response.content_length);
    if (!inside || response.delivered > URL_MAX_BODY || beyond_length)
        abort();
}

// Takes pieces until more input is needed; true when the read ended.
static bool drain(url_response *response)
{
    int result;
    while ((result = url_take_piece(response)) == 1)
        check_piece(*response);
    return result != URL_NEED_MORE;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte sets the size of the pieces the bytes arrive in.
    const size_t step = size_t(data[0]) * 17 + 1;
    const char *bytes = reinterpret_cast<const char *>(data) + 1;
    size_t left = size - 1;
    url_response response = {};
    bool ended = false;
    while (!ended && left > 0) {
        const size_t taken = url_feed(&response, bytes, std::min(left, step));
        bytes += taken;
        left -= taken;
        ended = drain(&response);
    }
    if (!ended && !drain(&response)) {
        const int result = url_finish(&response);
        if (result != 0 && result != -1)
            abort();
    }
    return 0;
}
