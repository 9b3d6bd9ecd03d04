// The simulated set's discovery side: it answers M-SEARCH requests for its
// device type, its UDN, its service type, upnp:rootdevice and ssdp:all,
// announces itself with ssdp:alive when it starts and at intervals, and
// says ssdp:byebye when it stops. It sends multicast, so it may only ever
// run inside a private network namespace (scripts/in-netns) or on a
// network where a TV set belongs.
#pragma once

#include <string>

#include "tools/tvsim/tvsim_loop.h"

enum {
    TVSIM_MAX_AGE = 1800,                 // seconds the set's announcements stay valid
    TVSIM_ANNOUNCE_MS = 600 * 1000,       // renewal well within the max-age
};

struct tvsim_ssdp_options {
    std::string address;   // IPv4 address of the interface that sends and joins the group
    std::string location;  // URL of the device description
    std::string udn;       // "uuid:..."
    int announce_ms = TVSIM_ANNOUNCE_MS;
};

// Joins the group on port 1900 and sends the first announcements. Null
// when that fails, with the reason on standard error.
struct tvsim_ssdp;
tvsim_ssdp *tvsim_ssdp_start(tvsim_loop *loop, const tvsim_ssdp_options &options);

// Says goodbye for everything announced and closes the socket.
void tvsim_ssdp_stop(tvsim_ssdp *ssdp);
