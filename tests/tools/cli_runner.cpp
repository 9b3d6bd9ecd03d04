// Starts kanvio-cli without a shell, so arguments reach it unchanged.
#include "tests/tools/cli_runner.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

CliResult run_cli(const std::vector<std::string> &arguments, const std::string &folder)
{
    CliResult result;
    std::string out_path = folder + "/.cli-stdout";
    std::string err_path = folder + "/.cli-stderr";
    std::vector<char *> argv;
    std::string program = KANVIO_CLI_PATH;
    argv.push_back(&program[0]);
    std::vector<std::string> copies(arguments);
    for (std::string &argument : copies)
        argv.push_back(&argument[0]);
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid;
    int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return result;
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        result.exit_code = WEXITSTATUS(status);
    result.out = read_file_bytes(out_path);
    result.err = read_file_bytes(err_path);
    return result;
}

ScratchFolder::ScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kanvio-cli-test-XXXXXX").string();
    if (mkdtemp(&pattern[0]))
        path_ = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ignored);
}

std::string read_file_bytes(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void write_file_bytes(const std::string &path, const std::string &bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), std::streamsize(bytes.size()));
}
