// Helpers shared by the commands: error lines, arguments, loading and
// saving tables, writing output.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "tools/cli/cli.h"

namespace {

std::string system_error(const char *what)
{
    return std::string(what) + ": " + strerror(errno);
}

// What a file may hold at most, and what is said of a larger one.
struct FileCap {
    uint64_t size;
    const char *problem;
};

const FileCap TABLE_CAP = {SVL_MAX_FILE_SIZE, "file too large for a station table"};
const FileCap CSV_CAP = {SVL_MAX_CSV_SIZE, "file too large for a list of names"};

// The file's whole content, or an empty result with the problem in *problem.
bool read_file(const char *path, const FileCap &cap, std::string *content, std::string *problem)
{
    FILE *file = fopen(path, "rb");
    if (!file) {
        *problem = system_error("cannot open");
        return false;
    }
    struct stat info;
    bool ok = false;
    if (fstat(fileno(file), &info) != 0)
        *problem = system_error("cannot read");
    else if (!S_ISREG(info.st_mode))
        *problem = "not a regular file";
    else if (uint64_t(info.st_size) > cap.size)
        *problem = cap.problem;
    else {
        content->resize(size_t(info.st_size));
        ok = fread(&(*content)[0], 1, content->size(), file) == content->size();
        if (!ok)
            *problem = ferror(file) ? system_error("cannot read") : "file shrank while reading";
    }
    fclose(file);
    return ok;
}

// The image reader reports favorite entries with unknown uids on standard
// output, which carries the command's own output (dump writes JSON there):
// send those lines to standard error while reading.
int parse_with_diagnostics_on_stderr(svl_table *table, const std::string &image)
{
    fflush(stdout);
    int saved = dup(STDOUT_FILENO);
    if (saved >= 0)
        dup2(STDERR_FILENO, STDOUT_FILENO);
    int result = svl_parse_table(table, reinterpret_cast<const uint8_t *>(image.data()), image.size());
    fflush(stdout);
    if (saved >= 0) {
        dup2(saved, STDOUT_FILENO);
        close(saved);
    }
    return result;
}

}  // namespace

int cli_fail(const char *subject, const std::string &problem)
{
    fprintf(stderr, "kanvio-cli: %s: %s\n", subject, problem.c_str());
    return CLI_BAD_INPUT;
}

const char *cli_single_path(int argc, char **argv)
{
    if (argc != 2) {
        cli_usage_error(argv[0], argc < 2 ? "missing FILE" : "too many arguments");
        return nullptr;
    }
    if (argv[1][0] == '-' && argv[1][1] != '\0') {
        cli_usage_error(argv[0], std::string("unknown option '") + argv[1] + "'");
        return nullptr;
    }
    return argv[1];
}

int cli_load_table(const char *path, svl_table *table)
{
    std::string image;
    std::string problem;
    if (!read_file(path, TABLE_CAP, &image, &problem))
        return cli_fail(path, problem);
    if (parse_with_diagnostics_on_stderr(table, image) != 0)
        return cli_fail(path, "not a valid station table");
    return CLI_OK;
}

int cli_read_csv_names(const char *path, svl_name_column *column)
{
    std::string text;
    std::string problem;
    if (!read_file(path, CSV_CAP, &text, &problem))
        return cli_fail(path, problem);
    if (svl_read_csv_names(text.data(), text.size(), column) != 0)
        return cli_fail(path, "out of memory");
    return CLI_OK;
}

int cli_report_on_table(int argc, char **argv, int (*report)(const svl_table &table))
{
    const char *path = cli_single_path(argc, argv);
    if (!path)
        return CLI_USAGE;
    svl_table table = {};
    int result = cli_load_table(path, &table);
    if (result != CLI_OK)
        return result;
    result = report(table);
    svl_free_table(&table, 1);
    return result;
}

int cli_save_table(svl_table *table, const char *path)
{
    errno = 0;
    if (svl_save_file(table, path) == 0)
        return CLI_OK;
    return cli_fail_write(path);
}

int cli_fail_write(const char *path)
{
    return cli_fail(path, errno ? system_error("cannot write") : "cannot write");
}

bool cli_parse_number(const char *text, uint64_t max, uint64_t *value)
{
    if (!text || !*text)
        return false;
    uint64_t number = 0;
    for (const char *c = text; *c; c++) {
        if (*c < '0' || *c > '9')
            return false;
        uint64_t digit = uint64_t(*c - '0');
        if (digit > max || number > (max - digit) / 10)
            return false;
        number = number * 10 + digit;
    }
    *value = number;
    return true;
}

void cli_append_json_string(std::string &out, const std::string &text)
{
    static const char HEX[] = "0123456789abcdef";
    out += '"';
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            out += "\\u00";
            out += HEX[c >> 4];
            out += HEX[c & 15];
        } else {
            out += char(c);
        }
    }
    out += '"';
}

int cli_write_stdout(const std::string &text)
{
    if (fwrite(text.data(), 1, text.size(), stdout) != text.size() || fflush(stdout) != 0)
        return cli_fail("standard output", system_error("write error"));
    return CLI_OK;
}
