// SSDP discovery: finds UPnP devices on the local network and keeps a cache
// of those that answered a search or announced themselves.
//
// A receiver thread of the engine reads the sockets, updates the cache,
// drops expired entries and tells one observer when a device is found,
// renewed or leaves. Everything in the engine but `running` is guarded by
// its lock; the observer's notifications run on the receiver thread with
// the lock held and must not take it.
#pragma once

#include <netinet/in.h>
#include <pthread.h>

#include <cstdint>
#include <ctime>

// The device type of Tavrel TV sets, searched for by the main window and
// the exchange dialog.
extern const char SSDP_TV_DEVICE_TYPE[];  // "urn:tavrel-com:device:RemoteControlReceiver:1"

// Search target that every device answers.
extern const char SSDP_ALL_TARGET[];  // "ssdp:all"

enum {
    SSDP_PORT = 1900,
    SSDP_BUFFER_SIZE = 4096,   // data bytes of a receive buffer, a NUL follows
    SSDP_TARGET_MAX = 511,     // longest search target
    SSDP_MESSAGE_MAX = 1024,   // an M-SEARCH text this long or longer is not sent
    SSDP_WAIT_MS = 1000,       // longest wait of the receiver thread for a datagram
};

// ssdp_engine flags.
enum {
    SSDP_FLAG_ADVERTISING = 1,  // local devices are advertised; never set here
    SSDP_FLAG_SEARCHED = 2,     // a search has been sent; answers are taken only after it
};

// One cached device.
struct ssdp_device {
    char *type;      // NT of an announcement or ST of a search answer
    char *usn;       // unique service name
    char *location;  // URL of the device description
    time_t expiry;   // seconds since the epoch
    int local;       // 0: found on the network
    uint32_t hash;   // ssdp hash of usn; devices are told apart by it alone
    ssdp_device *next;
};

// A target that has been searched for.
struct ssdp_target {
    char text[SSDP_TARGET_MAX + 1];
    uint32_t hash;
    ssdp_target *next;
};

// One socket of the engine with the bytes it received that did not yet end
// a message.
struct ssdp_receiver {
    int fd;        // -1 while closed
    char *buffer;  // SSDP_BUFFER_SIZE + 1 bytes
    size_t used;   // write position
};

typedef void (*ssdp_notification)(const ssdp_device *device, void *user_data);

// Observers install and remove themselves by writing these members under
// the lock. A device handed to a notification is valid only during the call.
struct ssdp_observer {
    ssdp_notification device_added;
    ssdp_notification device_updated;
    ssdp_notification device_removed;
    void *user_data;
};

// The discovery engine. Zero it before ssdp_start.
struct ssdp_engine {
    pthread_t thread;
    pthread_mutex_t lock;
    int thread_started;      // ssdp_stop joins only a thread that exists
    int lock_created;
    unsigned flags;          // SSDP_FLAG_*
    ssdp_receiver multicast; // bound to port 1900, joined to the group; receives NOTIFY
    sockaddr_in group;       // 239.255.255.250:1900, where every send goes
    ssdp_receiver search;    // created by the first search; sends M-SEARCH, receives answers
    ssdp_device *devices;    // newest first
    ssdp_observer observer;
    ssdp_target *targets;    // newest first
    int wait_ms;             // longest wait of the receiver thread
    int running;             // 1 while started; read and written atomically
};

// Zeroes the engine (which must be zeroed or stopped), opens the multicast
// socket and starts the receiver thread, which waits at most wait_ms for a
// datagram between passes over the cache. 0 when running; -1 with a
// diagnostic on standard error when something failed (engine closed, not
// running).
int ssdp_start(ssdp_engine *engine, int wait_ms = SSDP_WAIT_MS);

// Stops the engine: the receiver thread ends within about one wait, drops
// every cached device with the removed notification and closes the
// sockets; then the lock is destroyed. Safe on an engine that never started.
void ssdp_stop(ssdp_engine *engine);

// Registers target (at most SSDP_TARGET_MAX characters) and sends one
// M-SEARCH for it with the given MX. 0 when sent; -1 when the engine is not
// running, the target is null or too long, or a call failed (diagnostic on
// standard error).
int ssdp_search(ssdp_engine *engine, const char *target, int mx);

// Drops every cached device that was found on the network, each with the
// removed notification. Does nothing when the engine is not running.
void ssdp_flush_remote(ssdp_engine *engine);

// Takes the engine lock: 0 when taken, -1 (not taken) when the engine is
// not running. Only a successful ssdp_lock is to be paired with
// ssdp_unlock, which releases it.
int ssdp_lock(ssdp_engine *engine);
void ssdp_unlock(ssdp_engine *engine);
