// Socket start-up and clean-up around the program run.
#include "svl_sockets.h"

#include <cerrno>
#include <csignal>

static struct sigaction previous_sigpipe;

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
