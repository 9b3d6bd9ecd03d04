// Socket helpers shared by the simulated set's TCP services.
#include "tools/tvsim/tvsim_socket.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

int tvsim_bind_tcp(const char *address, uint16_t port, const char *service, uint16_t *bound_port)
{
    sockaddr_in where = {};
    where.sin_family = AF_INET;
    where.sin_port = htons(port);
    if (inet_pton(AF_INET, address, &where.sin_addr) != 1) {
        fprintf(stderr, "kanvio-tvsim: not an IPv4 address: %s\n", address);
        return -1;
    }
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    int on = 1;
    if (fd < 0 || setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        bind(fd, reinterpret_cast<sockaddr *>(&where), sizeof where) != 0) {
        fprintf(stderr, "kanvio-tvsim: %s on %s:%u: %s\n", service, address, port, strerror(errno));
        if (fd >= 0)
            close(fd);
        return -1;
    }
    socklen_t size = sizeof where;
    getsockname(fd, reinterpret_cast<sockaddr *>(&where), &size);
    *bound_port = ntohs(where.sin_port);
    return fd;
}

int tvsim_discard_input(int fd)
{
    char sink[4096];
    ssize_t n = recv(fd, sink, sizeof sink, MSG_DONTWAIT);
    return n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR) ? -1 : 0;
}
