// Starting and stopping kanvio-tvsim for tests.
#include "tests/tools/tvsim_runner.h"

#include <csignal>
#include <cstdlib>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "svl/svl_image.h"
#include "svl/svl_internal.h"

namespace {

const int SHORT_WAIT_MS = 300;
const int QUIET_LIMIT_MS = 10000;

}  // namespace

TvSim::TvSim(const std::vector<std::string> &arguments) : options_{0, SHORT_WAIT_MS}
{
    int err[2];
    if (pipe(err) != 0)
        return;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(err[1], STDERR_FILENO);
        close(err[0]);
        close(err[1]);
        std::vector<char *> argv{const_cast<char *>(KANVIO_TVSIM)};
        for (const std::string &a : arguments)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        execv(KANVIO_TVSIM, argv.data());
        _exit(127);
    }
    close(err[1]);
    stderr_ = err[0];
}

TvSim::~TvSim()
{
    if (pid_ > 0)
        stop(SIGKILL);
    if (stderr_ >= 0)
        close(stderr_);
}

bool TvSim::wait_ready()
{
    size_t checked = 0;
    for (;;) {
        for (size_t end; (end = log_.find('\n', checked)) != std::string::npos; checked = end + 1) {
            std::string line = log_.substr(checked, end - checked);
            size_t on = line.find(" on ");
            size_t colon = line.rfind(':');
            if (on != std::string::npos && colon != std::string::npos && colon > on) {
                options_.port = static_cast<uint16_t>(atoi(line.c_str() + colon + 1));
                return true;
            }
        }
        if (!read_some(QUIET_LIMIT_MS))
            return false;
    }
}

int TvSim::stop(int signal_number)
{
    if (pid_ <= 0)
        return -1;
    kill(pid_, signal_number);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    while (read_some(QUIET_LIMIT_MS)) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool TvSim::read_some(int wait_ms)
{
    pollfd entry = {stderr_, POLLIN, 0};
    char buffer[4096];
    if (poll(&entry, 1, wait_ms) <= 0)
        return false;
    ssize_t n = read(stderr_, buffer, sizeof buffer);
    if (n <= 0)
        return false;
    log_.append(buffer, static_cast<size_t>(n));
    return true;
}

std::vector<std::string> sim_arguments(const char *address, std::vector<std::string> more)
{
    std::vector<std::string> arguments{"--address", address, "--port", "0"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

std::vector<uint8_t> image_of(svl_table *table)
{
    svl_set_next_uid(1000);
    size_t length = 0;
    uint8_t *image = svl_build_table(table, &length);
    std::vector<uint8_t> result = image ? std::vector<uint8_t>(image, image + length) : std::vector<uint8_t>();
    svl_free_image(image);
    return result;
}
