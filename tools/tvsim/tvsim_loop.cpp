// Poll-based event loop with per-socket handlers and wake-ups.
#include "tvsim_loop.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

using tvsim_clock = std::chrono::steady_clock;

namespace {

struct watch {
    int fd;
    short events;
    uint64_t id;  // tells a socket number apart from a reused one
    bool waking;
    tvsim_clock::time_point wake_at;
    tvsim_handler handler;
};

}  // namespace

struct tvsim_loop {
    std::vector<watch> watches;
    uint64_t next_id = 1;
    int stop_pipe[2] = {-1, -1};
};

tvsim_loop *tvsim_loop_new()
{
    tvsim_loop *loop = new tvsim_loop;
    if (pipe2(loop->stop_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        delete loop;
        return nullptr;
    }
    return loop;
}

void tvsim_loop_free(tvsim_loop *loop)
{
    if (!loop)
        return;
    close(loop->stop_pipe[0]);
    close(loop->stop_pipe[1]);
    delete loop;
}

static watch *find_watch(tvsim_loop *loop, int fd)
{
    for (watch &w : loop->watches)
        if (w.fd == fd)
            return &w;
    return nullptr;
}

static watch *find_watch_by_id(tvsim_loop *loop, uint64_t id)
{
    for (watch &w : loop->watches)
        if (w.id == id)
            return &w;
    return nullptr;
}

void tvsim_loop_watch(tvsim_loop *loop, int fd, short events, tvsim_handler handler)
{
    tvsim_loop_unwatch(loop, fd);
    loop->watches.push_back({fd, events, loop->next_id++, false, {}, std::move(handler)});
}

void tvsim_loop_set_events(tvsim_loop *loop, int fd, short events)
{
    if (watch *w = find_watch(loop, fd))
        w->events = events;
}

void tvsim_loop_wake_after(tvsim_loop *loop, int fd, int delay_ms)
{
    if (watch *w = find_watch(loop, fd)) {
        w->waking = true;
        w->wake_at = tvsim_clock::now() + std::chrono::milliseconds(delay_ms);
    }
}

void tvsim_loop_unwatch(tvsim_loop *loop, int fd)
{
    auto &ws = loop->watches;
    ws.erase(std::remove_if(ws.begin(), ws.end(), [fd](const watch &w) { return w.fd == fd; }),
             ws.end());
}

void tvsim_loop_stop(tvsim_loop *loop)
{
    char byte = 1;
    ssize_t ignored = write(loop->stop_pipe[1], &byte, 1);
    (void)ignored;
}

// Milliseconds until the earliest wake-up, or -1 to wait for events only.
static int poll_timeout(const tvsim_loop *loop)
{
    int timeout = -1;
    const tvsim_clock::time_point now = tvsim_clock::now();
    for (const watch &w : loop->watches) {
        if (!w.waking)
            continue;
        auto left = std::chrono::ceil<std::chrono::milliseconds>(w.wake_at - now).count();
        int ms = left > 0 ? static_cast<int>(left) : 0;
        if (timeout < 0 || ms < timeout)
            timeout = ms;
    }
    return timeout;
}

// Calls the handler of the watch with this id, if it is still watched. The
// handler is copied first: it may unwatch its own socket.
static void dispatch(tvsim_loop *loop, uint64_t id, short revents)
{
    watch *w = find_watch_by_id(loop, id);
    if (!w)
        return;
    tvsim_handler handler = w->handler;
    handler(w->fd, revents);
}

static void dispatch_wake_ups(tvsim_loop *loop)
{
    const tvsim_clock::time_point now = tvsim_clock::now();
    std::vector<uint64_t> due;
    for (watch &w : loop->watches)
        if (w.waking && w.wake_at <= now) {
            w.waking = false;
            due.push_back(w.id);
        }
    for (uint64_t id : due)
        dispatch(loop, id, 0);
}

int tvsim_loop_run(tvsim_loop *loop)
{
    for (;;) {
        std::vector<pollfd> set{{loop->stop_pipe[0], POLLIN, 0}};
        std::vector<uint64_t> ids{0};
        for (const watch &w : loop->watches) {
            set.push_back({w.fd, w.events, 0});
            ids.push_back(w.id);
        }
        int ready = poll(set.data(), set.size(), poll_timeout(loop));
        if (ready < 0 && errno != EINTR)
            return -1;
        if (set[0].revents) {
            char byte;
            while (read(loop->stop_pipe[0], &byte, 1) == 1) {
            }
            return 0;
        }
        for (size_t i = 1; ready > 0 && i < set.size(); i++)
            if (set[i].revents)
                dispatch(loop, ids[i], set[i].revents);
        dispatch_wake_ups(loop);
    }
}
