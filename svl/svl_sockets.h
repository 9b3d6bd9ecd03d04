// Process-wide socket set-up, done once by the program entry before any
// transfer, discovery or description fetch, and undone after the last one.
#pragma once

// Prepares the process for socket use. On Windows this starts Windows
// Sockets 2.2. Elsewhere it makes sure a peer that closes a connection
// while we write can never kill the process: SIGPIPE is ignored (every
// send in the libraries also passes MSG_NOSIGNAL). 0 success, otherwise
// the platform's error code.
int svl_sockets_startup();

// Undoes svl_sockets_startup: cleans up Windows Sockets, or puts back the
// SIGPIPE disposition that was in force before. Call once per successful
// start-up.
void svl_sockets_cleanup();
