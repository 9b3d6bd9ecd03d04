// Socket start-up and clean-up around the program run, and connecting.
#include "svl_sockets.h"

#include <cerrno>
#include <chrono>
#include <csignal>

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

static struct sigaction previous_sigpipe;

// The connect runs without blocking so that its wait can be bounded; the
// socket blocks again once it is connected, as callers expect.
static int connect_within(int s, const addrinfo *address, int wait_ms)
{
    int flags = fcntl(s, F_GETFL);
    if (flags < 0 || fcntl(s, F_SETFL, flags | O_NONBLOCK) != 0)
        return -1;
    if (connect(s, address->ai_addr, address->ai_addrlen) != 0) {
        if (errno != EINPROGRESS && errno != EINTR)
            return -1;
        int error = 0;
        socklen_t size = sizeof error;
        if (svl_wait_socket(s, POLLOUT, wait_ms) != 0 ||
            getsockopt(s, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0)
            return -1;
    }
    return fcntl(s, F_SETFL, flags);
}

static int connect_first(const addrinfo *candidates, int wait_ms)
{
    for (const addrinfo *a = candidates; a; a = a->ai_next) {
        int s = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (s < 0)
            continue;
        if (connect_within(s, a, wait_ms) == 0)
            return s;
        close(s);
    }
    return -1;
}

int svl_sockets_startup()
{
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    return sigaction(SIGPIPE, &ignore, &previous_sigpipe) == 0 ? 0 : errno;
}

void svl_sockets_cleanup()
{
    sigaction(SIGPIPE, &previous_sigpipe, nullptr);
}

int svl_connect_stream(const char *node, const char *service, int family, int wait_ms)
{
    addrinfo hints = {};
    hints.ai_family = family;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *candidates = nullptr;
    if (!node || !service || getaddrinfo(node, service, &hints, &candidates) != 0)
        return -1;
    int s = connect_first(candidates, wait_ms);
    freeaddrinfo(candidates);
    return s;
}

int svl_wait_socket(int socket, short events, int wait_ms)
{
    using clock = std::chrono::steady_clock;
    const clock::time_point deadline = clock::now() + std::chrono::milliseconds(wait_ms);
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now());
        pollfd entry = {socket, events, 0};
        int ready = poll(&entry, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
        if (ready > 0)
            return 0;
        if (ready == 0 || errno != EINTR)
            return -1;
    }
}
