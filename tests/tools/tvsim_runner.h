// Starts kanvio-tvsim as a separate program for tests and reads what it
// reports on standard error.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <sys/types.h>

#include "svl/svl_tv.h"

// A running kanvio-tvsim. Its port is the one the program reports once it
// is ready; its options use a short wait so failures come quickly.
class TvSim {
public:
    explicit TvSim(const std::vector<std::string> &arguments);
    ~TvSim();
    TvSim(const TvSim &) = delete;
    TvSim &operator=(const TvSim &) = delete;

    // Reads standard error until the ready line ("... on ADDR:PORT"). False
    // when the program ends or says nothing for ten seconds.
    bool wait_ready();

    // Sends the signal and returns the exit status, or -1 when the program
    // did not exit normally.
    int stop(int signal_number);

    const tv_options *options() const { return &options_; }
    uint16_t port() const { return options_.port; }
    const std::string &log() const { return log_; }

private:
    bool read_some(int wait_ms);

    pid_t pid_ = -1;
    int stderr_ = -1;
    std::string log_;
    tv_options options_;
};

// --address ADDRESS --port 0 (a free port), then the further arguments.
std::vector<std::string> sim_arguments(const char *address, std::vector<std::string> more);

// The table's image with uids numbered from a fixed start, so two tables
// with the same content give the same bytes. Empty when it cannot be built.
std::vector<uint8_t> image_of(svl_table *table);
