// The programs under test started as programs: kanvio-cli run to its end,
// and kanvio-tvsim running beside a test.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include <sys/types.h>

#include "svl/svl_tv.h"
#include "tests/support/sandbox.h"

struct CliResult {
    int exit_code = -1;  // -1 when the program did not exit normally
    std::string out;
    std::string err;
    // The exit status and both outputs, for one comparison.
    std::tuple<int, std::string, std::string> all() const { return {exit_code, out, err}; }
};

// Runs kanvio-cli with the arguments, unchanged by any shell; its output
// goes through files in the sandbox, or standard output to stdout_path.
CliResult run_cli(const std::vector<std::string> &arguments, const Sandbox &sandbox,
                  const std::string &stdout_path = "");

// A running kanvio-tvsim, killed on destruction if still running.
class TvSim {
public:
    // Starts it on address with a port of its own choice ("--port 0"),
    // followed by the further arguments.
    TvSim(const std::string &address, const std::vector<std::string> &more);
    // Starts it with exactly these arguments.
    explicit TvSim(const std::vector<std::string> &arguments);
    ~TvSim();
    TvSim(const TvSim &) = delete;
    TvSim &operator=(const TvSim &) = delete;

    // Reads its standard error until the ready line ("... on ADDR:PORT")
    // and takes the port from it. False when it ended or said nothing for
    // ten seconds.
    bool wait_ready();

    // Sends the signal and waits: its exit status, or -1 when it did not
    // exit normally.
    int stop(int signal_number);

    // The port it serves on, with short waits, so that failures come quickly.
    const tv_options *options() const { return &options_; }
    std::string port() const { return std::to_string(options_.port); }
    const std::string &log() const { return log_; }

private:
    bool read_some(int wait_ms);

    pid_t pid_ = -1;
    int stderr_ = -1;
    std::string log_;
    tv_options options_;
};
