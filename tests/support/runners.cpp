#include "tests/support/runners.h"

#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

const int SHORT_WAIT_MS = 300;
const int QUIET_LIMIT_MS = 10000;

// Starts program with the arguments, its standard output and error going
// where the file actions say. The process id, or -1.
pid_t spawn(const char *program, const std::vector<std::string> &arguments, posix_spawn_file_actions_t *actions)
{
    std::vector<char *> argv{const_cast<char *>(program)};
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, program, actions, nullptr, argv.data(), environ) != 0)
        return -1;
    return pid;
}

int exit_status(pid_t pid)
{
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

}  // namespace

CliResult run_cli(const std::vector<std::string> &arguments, const Sandbox &sandbox, const std::string &stdout_path)
{
    const std::string out = stdout_path.empty() ? sandbox.file(".cli-stdout") : stdout_path;
    const std::string err = sandbox.file(".cli-stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    CliResult result;
    result.exit_code = exit_status(spawn(KANVIO_CLI_PATH, arguments, &actions));
    posix_spawn_file_actions_destroy(&actions);
    result.out = stdout_path.empty() ? read_file(out) : "";
    result.err = read_file(err);
    return result;
}

TvSim::TvSim(const std::string &address, const std::vector<std::string> &more)
    : TvSim([&] {
          std::vector<std::string> arguments{"--address", address, "--port", "0"};
          arguments.insert(arguments.end(), more.begin(), more.end());
          return arguments;
      }())
{
}

TvSim::TvSim(const std::vector<std::string> &arguments) : options_{0, SHORT_WAIT_MS}
{
    int err[2];
    if (pipe2(err, O_CLOEXEC) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    pid_ = spawn(KANVIO_TVSIM, arguments, &actions);
    posix_spawn_file_actions_destroy(&actions);
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
    for (size_t checked = 0;;) {
        for (size_t end; (end = log_.find('\n', checked)) != std::string::npos; checked = end + 1) {
            const std::string line = log_.substr(checked, end - checked);
            size_t on = line.find(" on "), colon = line.rfind(':');
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
    int status = exit_status(pid_);
    pid_ = -1;
    while (read_some(QUIET_LIMIT_MS)) {
    }
    return status;
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
