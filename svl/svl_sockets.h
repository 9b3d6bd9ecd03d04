// The platform layer under the TV client and the HTTP client: process-wide
// socket set-up, done once by the program entry before any transfer,
// discovery or description fetch and undone after the last one, and the
// one way both clients open their connections.
#pragma once

// How long a connect waits for the peer to answer. A TV set or its
// description server on the local network answers in milliseconds; an
// address where nothing answers would otherwise keep the caller waiting for
// the system's own limit of about two minutes.
enum { SVL_CONNECT_WAIT_MS = 10000 };

// Prepares the process for socket use. What Windows Sockets start-up is on
// other systems is here the guarantee that a peer closing a connection
// while we write can never kill the process: SIGPIPE is ignored (every send
// in the libraries also passes MSG_NOSIGNAL). 0 success, otherwise the
// system's error number.
int svl_sockets_startup();

// Undoes svl_sockets_startup: puts back the SIGPIPE disposition that was in
// force before. Call once per successful start-up.
void svl_sockets_cleanup();

// Resolves node (a host name or numeric address) and service (a port
// number or service name) for stream sockets of the address family
// (AF_INET, or AF_UNSPEC for any) and connects to the first resolved
// address that accepts, trying them in order. Every socket is opened
// close-on-exec, so a program the caller starts never inherits it. Each
// address gets at most wait_ms to accept. Returns the connected (blocking)
// socket, which the caller closes, or -1 when the name does not resolve or
// no address accepts in time.
int svl_connect_stream(const char *node, const char *service, int family, int wait_ms);

// Waits until the socket is ready for events (POLLIN, POLLOUT), or reports
// an error or hang-up, which the following call on it then sees. 0 ready,
// -1 after wait_ms or on a wait error. A signal does not cut the wait short.
int svl_wait_socket(int socket, short events, int wait_ms);
