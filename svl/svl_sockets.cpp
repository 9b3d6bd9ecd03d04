// Socket start-up and clean-up around the program run, and connecting.
#include "svl_sockets.h"

#include <cerrno>
#include <csignal>

#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

static struct sigaction previous_sigpipe;

static int connect_first(const addrinfo *candidates)
{
    for (const addrinfo *a = candidates; a; a = a->ai_next) {
        int s = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (s < 0)
            continue;
        if (connect(s, a->ai_addr, a->ai_addrlen) == 0)
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

int svl_connect_stream(const char *node, const char *service, int family)
{
    addrinfo hints = {};
    hints.ai_family = family;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *candidates = nullptr;
    if (!node || !service || getaddrinfo(node, service, &hints, &candidates) != 0)
        return -1;
    int s = connect_first(candidates);
    freeaddrinfo(candidates);
    return s;
}
