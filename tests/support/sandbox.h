// A temporary folder for one test, and whole files read and written as
// bytes.
#pragma once

#include <set>
#include <string>

// A new empty folder under the system's temporary folder, removed with
// everything in it on destruction.
class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox &) = delete;
    Sandbox &operator=(const Sandbox &) = delete;

    const std::string &path() const { return path_; }
    std::string file(const std::string &name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The whole file; empty when it cannot be read.
std::string read_file(const std::string &path);

// Replaces the file's content by bytes.
void write_file(const std::string &path, const std::string &bytes);

// The names of the entries of a folder.
std::set<std::string> names_in(const std::string &folder);
