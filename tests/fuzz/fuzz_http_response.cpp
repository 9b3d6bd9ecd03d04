// Feeds arbitrary bytes as an HTTP response to the response reader, in
// pieces whose sizes come from the input, and checks what it delivers.
#include "net/http.h"
#include "net/http_internal.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

static void check_piece(const url_response *response)
{
    const char *start = response->buffer;
    const char *end = response->buffer + URL_BUFFER_SIZE;
    if (response->piece_length == 0 || response->piece < start || response->piece + response->piece_length > end)
        abort();
    if (response->delivered > URL_MAX_BODY)
        abort();
    if (response->chunk_state < 0 && response->content_length >= 0
        && response->delivered > (size_t)response->content_length)
        abort();
}

// Takes pieces until more input is needed; true when the read ended.
static bool drain(url_response *response)
{
    for (;;) {
        int result = url_take_piece(response);
        if (result == URL_NEED_MORE)
            return false;
        if (result != 1)
            return true;
        check_piece(response);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte sets the size of the pieces the bytes arrive in.
    size_t step = (size_t)data[0] * 17 + 1;
    const char *bytes = (const char *)data + 1;
    size_t left = size - 1;

    url_response response;
    memset(&response, 0, sizeof response);
    bool ended = false;
    while (!ended && left > 0) {
        size_t offered = left < step ? left : step;
        size_t taken = url_feed(&response, bytes, offered);
        bytes += taken;
        left -= taken;
        ended = drain(&response);
    }
    if (!ended && !drain(&response)) {
        int result = url_finish(&response);
        if (result != 0 && result != -1)
            abort();
    }
    return 0;
}
