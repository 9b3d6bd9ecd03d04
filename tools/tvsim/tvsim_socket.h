// Socket helpers shared by the simulated set's TCP services.
#pragma once

#include <cstdint>

// A non-blocking TCP socket bound to address (an IPv4 address) and port
// (0 takes a free one), not yet listening; *bound_port receives the port
// it got. The socket, or -1 with the reason on standard error, where
// service names what the socket was for.
int tvsim_bind_tcp(const char *address, uint16_t port, const char *service, uint16_t *bound_port);

// Takes what a client still sends off a connection that only waits for
// the client to leave. 0 while the client stays, -1 once it has closed or
// the connection failed.
int tvsim_discard_input(int fd);
