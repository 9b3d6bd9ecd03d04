// Arbitrary bytes through the SSDP message parser, and as datagrams through
// the receive buffers of an engine that searched for everything.
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
    ssdp_engine engine;
    memset(&engine, 0, sizeof engine);
    engine.multicast.fd = engine.search.fd = -1;
    engine.flags = SSDP_FLAG_SEARCHED;
    engine.multicast.buffer = static_cast<char *>(malloc(SSDP_BUFFER_SIZE + 1));
    engine.search.buffer = static_cast<char *>(malloc(SSDP_BUFFER_SIZE + 1));
    if (engine.multicast.buffer && engine.search.buffer && ssdp_add_target(&engine, SSDP_ALL_TARGET) == 0) {
        size_t piece = size > 0 ? 1 + data[0] * 16u : 1;
        int from_multicast = 1;
        for (size_t at = size > 0 ? 1 : 0; at < size; at += piece) {
            ssdp_receiver *receiver = from_multicast ? &engine.multicast : &engine.search;
            size_t length = size - at < piece ? size - at : piece;
            size_t room = SSDP_BUFFER_SIZE - receiver->used;
            if (length > room)
                length = room;
            memcpy(receiver->buffer + receiver->used, data + at, length);
            ssdp_cut_messages(&engine, receiver, length, from_multicast, NOW);
            ssdp_expire(&engine, NOW);
            from_multicast = !from_multicast;
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
