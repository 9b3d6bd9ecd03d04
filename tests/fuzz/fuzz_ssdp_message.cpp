// Arbitrary bytes through the SSDP message parser, and as datagrams through
// the receive buffers of an engine that searched for everything.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "net/ssdp_internal.h"

namespace {

const time_t NOW = 1800000000;

void parse_all(const std::string &text)
{
    ssdp_message message;
    const char *rest = text.c_str();
    while (rest && *rest)
        rest = ssdp_parse_message(rest, NOW, &message);
}

// The first byte picks the datagram size, so that messages and their ends
// fall across datagram borders in every way.
void feed_datagrams(const uint8_t *data, size_t size)
{
    ssdp_engine engine = {};
    engine.multicast = {-1, static_cast<char *>(malloc(SSDP_BUFFER_SIZE + 1)), 0};
    engine.search = {-1, static_cast<char *>(malloc(SSDP_BUFFER_SIZE + 1)), 0};
    engine.flags = SSDP_FLAG_SEARCHED;
    if (size > 0 && engine.multicast.buffer && engine.search.buffer && ssdp_add_target(&engine, SSDP_ALL_TARGET) == 0) {
        const size_t piece = 1 + data[0] * 16u;
        for (size_t at = 1; at < size; at += piece) {
            const int from_multicast = (at - 1) / piece % 2 == 0;
            ssdp_receiver *receiver = from_multicast ? &engine.multicast : &engine.search;
            const size_t length = std::min({size - at, piece, SSDP_BUFFER_SIZE - receiver->used});
            memcpy(receiver->buffer + receiver->used, data + at, length);
            ssdp_cut_messages(&engine, receiver, length, from_multicast, NOW);
            ssdp_expire(&engine, NOW);
        }
    }
    ssdp_close(&engine);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    parse_all(std::string(reinterpret_cast<const char *>(data), size));
    feed_datagrams(data, size);
    return 0;
}
