// Process-wide socket set-up, done once by the program entry before any
// transfer, discovery or description fetch, and undone after the last one.
#pragma once

// Prepares the process for socket use. What Windows Sockets start-up is on
// other systems is here the guarantee that a peer closing a connection
// while we write can never kill the process: SIGPIPE is ignored (every send
// in the libraries also passes MSG_NOSIGNAL). 0 success, otherwise the
// system's error number.
int svl_sockets_startup();

// Undoes svl_sockets_startup: puts back the SIGPIPE disposition that was in
// force before. Call once per successful start-up.
void svl_sockets_cleanup();
