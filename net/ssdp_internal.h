// SSDP engine internals that tests, the fuzzer and the simulated TV set
// reach: the hash, the message parser and the steps of a processing pass,
// each taking the current time so that no test waits for a clock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

#include "net/ssdp.h"

extern const char SSDP_GROUP_ADDRESS[];  // "239.255.255.250"

enum {
    SSDP_HASH_MODULUS = 600011,
    SSDP_HEADER_MAX = 255,    // longest kept header value
    SSDP_LOCATION_MAX = 1023, // longest kept location
    SSDP_LINE_MAX = SSDP_BUFFER_SIZE,  // longer lines are cut
    SSDP_MAX_AGE_CAP = 365 * 24 * 3600,  // a longer max-age counts as this
    // Far more devices than a home network holds; a peer announcing ever
    // new USNs must not make the engine allocate without end.
    SSDP_MAX_DEVICES = 1024,
};

// Kind of a parsed message, from its start line.
enum {
    SSDP_KIND_NONE = 0,
    SSDP_KIND_ANNOUNCEMENT = 1,  // NOTIFY
    SSDP_KIND_SEARCH = 2,        // M-SEARCH
    SSDP_KIND_ANSWER = 3,        // HTTP/1.x answer to a search
};

// The kept headers of one message; every text NUL-terminated and cut to its
// field.
struct ssdp_message {
    int kind;
    int mx;
    char man[SSDP_HEADER_MAX + 1];
    char st[SSDP_HEADER_MAX + 1];
    char usn[SSDP_HEADER_MAX + 1];
    char nts[SSDP_HEADER_MAX + 1];
    char nt[SSDP_HEADER_MAX + 1];
    char location[SSDP_LOCATION_MAX + 1];
    int has_expiry;
    time_t expiry;
};

// Hash of a text modulo SSDP_HASH_MODULUS, bytes taken as signed values in
// unsigned 32-bit arithmetic. The empty text hashes to 0.
uint32_t ssdp_hash(const char *text);

// Parses one message from text: lines end at CR, the start line names the
// kind, headers follow, an empty line closed by its CR ends the message. now is the time
// that CACHE-CONTROL max-age counts from. Fills message (cleared first)
// and returns the text after the ending empty line, or null when the text
// ended before one (the message is then incomplete and is not to be used).
const char *ssdp_parse_message(const char *text, time_t now, ssdp_message *message);

// Parses every complete message in text and applies each to the engine as
// if received at now, through the multicast socket when from_multicast is
// set, else through the search socket. The caller holds the lock.
void ssdp_process_text(ssdp_engine *engine, const char *text, int from_multicast, time_t now);

// Cuts the bytes in receiver's buffer, of which the last `received` bytes
// just arrived, into messages at each CR LF CR LF and processes them. An
// incomplete tail waits at the buffer start for the next datagram, unless
// it fills the whole buffer, in which case it is dropped. The caller holds
// the lock.
void ssdp_cut_messages(ssdp_engine *engine, ssdp_receiver *receiver, size_t received, int from_multicast,
                       time_t now);

// Drops every cached device with the removed notification, frees the
// search targets and closes both sockets. The caller holds the lock.
void ssdp_close(ssdp_engine *engine);

// Registers a search target (cut to SSDP_TARGET_MAX characters) unless
// one with the same hash is there. 0, or -1 when out of memory. The caller
// holds the lock.
int ssdp_add_target(ssdp_engine *engine, const char *text);

// Adds the device or, when one with the same USN hash is cached, renews it.
// An expiry earlier than now is refused, and so is a new device while the
// cache holds SSDP_MAX_DEVICES. 0 when cached; -1 when refused.
// The caller holds the lock.
int ssdp_add_device(ssdp_engine *engine, const char *usn, const char *type, const char *location, time_t expiry,
                    time_t now);

// Drops every cached device whose expiry is earlier than now, each with the
// removed notification. The caller holds the lock.
void ssdp_expire(ssdp_engine *engine, time_t now);
