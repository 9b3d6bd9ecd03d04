// Runs the built kanvio-cli in a scratch folder and captures what it says.
#pragma once

#include <string>
#include <vector>

#include "svl/svl.h"

struct CliResult {
    int exit_code = -1;  // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs kanvio-cli with the arguments; its output goes through files in
// folder.
CliResult run_cli(const std::vector<std::string> &arguments, const std::string &folder);

// A new empty folder, removed with everything in it on destruction.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    const std::string &path() const { return path_; }
    std::string file(const std::string &name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string read_file_bytes(const std::string &path);
void write_file_bytes(const std::string &path, const std::string &bytes);
