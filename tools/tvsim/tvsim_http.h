// The simulated set's description server: its UPnP device description and
// the description of its one service over HTTP/1.1, one GET per connection,
// with a Content-Length or chunked.
#pragma once

#include <cstdint>
#include <string>

#include "tools/tvsim/tvsim_loop.h"

// Where the device description lies on the server.
extern const char TVSIM_DESCRIPTION_PATH[];  // "/description.xml"

// The set's service type, announced beside its device type.
extern const char TVSIM_SERVICE_TYPE[];  // "urn:tavrel-com:service:RemoteControl:1"

struct tvsim_identity {
    std::string name;  // friendlyName
    std::string udn;   // "uuid:..."
};

// A UDN made from the name, the same for every run with that name.
std::string tvsim_udn_for(const std::string &name);

// The listening service, on an IPv4 address and port (0 takes a free one).
// chunked sends every document in chunks instead of with a Content-Length;
// mute accepts every connection and never answers it, like a set whose
// description server hangs. Null when it cannot listen, with the reason on
// standard error.
struct tvsim_http;
tvsim_http *tvsim_http_start(tvsim_loop *loop, const char *address, uint16_t port,
                             const tvsim_identity &identity, bool chunked, bool mute = false);

// The port the service listens on.
uint16_t tvsim_http_port(const tvsim_http *http);

// Closes the listening socket and every open connection.
void tvsim_http_stop(tvsim_http *http);
