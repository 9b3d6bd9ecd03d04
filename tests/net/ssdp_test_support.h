// Helpers for tests that run the SSDP engine over real sockets: they send
// multicast, so they run only inside the private network namespace of
// scripts/in-netns.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "net/ssdp.h"

#define REQUIRE_NETNS()                                                                                   \
    do {                                                                                                  \
        const char *netns = getenv("KANVIO_IN_NETNS");                                                    \
        if (!netns || strcmp(netns, "1") != 0)                                                            \
            GTEST_SKIP() << "sends multicast: run it through scripts/in-netns, never on the host network"; \
    } while (0)

// Collects the notifications of an engine from its receiver thread and lets
// the test wait for one.
class ssdp_recorder {
public:
    struct event {
        char kind;  // 'a'dded, 'u'pdated, 'r'emoved
        std::string usn;
        std::string type;
        std::string location;
    };

    // Installs itself as the observer of a running engine.
    bool attach(ssdp_engine *engine)
    {
        if (ssdp_lock(engine) != 0)
            return false;
        engine->observer = {added, updated, removed, this};
        ssdp_unlock(engine);
        return true;
    }

    // Waits until an event of the kind for the USN has arrived; false when
    // none came within the bound, which only a broken engine reaches.
    bool wait_for(char kind, const std::string &usn, int bound_seconds = 10)
    {
        std::unique_lock<std::mutex> guard(mutex);
        return changed.wait_for(guard, std::chrono::seconds(bound_seconds),
                                [&] { return count_locked(kind, usn) > 0; });
    }

    size_t count(char kind, const std::string &usn)
    {
        std::lock_guard<std::mutex> guard(mutex);
        return count_locked(kind, usn);
    }

private:
    size_t count_locked(char kind, const std::string &usn) const
    {
        size_t n = 0;
        for (const event &e : events)
            n += e.kind == kind && e.usn == usn;
        return n;
    }

    static void record(char kind, const ssdp_device *device, void *self)
    {
        ssdp_recorder *recorder = static_cast<ssdp_recorder *>(self);
        std::lock_guard<std::mutex> guard(recorder->mutex);
        recorder->events.push_back({kind, device->usn, device->type, device->location});
        recorder->changed.notify_all();
    }
    static void added(const ssdp_device *device, void *self) { record('a', device, self); }
    static void updated(const ssdp_device *device, void *self) { record('u', device, self); }
    static void removed(const ssdp_device *device, void *self) { record('r', device, self); }

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<event> events;
};
