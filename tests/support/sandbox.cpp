#include "tests/support/sandbox.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

Sandbox::Sandbox()
{
    std::string pattern = (fs::temp_directory_path() / "kanvio-test-XXXXXX").string();
    if (mkdtemp(&pattern[0]))
        path_ = pattern;
}

// Permissions a test took away must not keep the folder from going.
Sandbox::~Sandbox()
{
    std::error_code ignored;
    if (path_.empty())
        return;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

std::string read_file(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void write_file(const std::string &path, const std::string &bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), std::streamsize(bytes.size()));
}

std::set<std::string> names_in(const std::string &folder)
{
    std::set<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}
