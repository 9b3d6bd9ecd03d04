// kanvio-cli: the command functions and the helpers they share.
//
// A command is a function that receives its own arguments (argv[0] is the
// command name) and returns the program's exit status. A new command family
// adds one source file here, its function below and one entry in the
// command table of cli_main.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "svl/svl.h"
#include "svl/svl_match.h"

// Exit statuses.
enum {
    CLI_OK = 0,
    CLI_BAD_INPUT = 1,  // unreadable or invalid file, failed write
    CLI_USAGE = 2,      // wrong arguments
};

int cli_info(int argc, char **argv);
int cli_dump(int argc, char **argv);
int cli_generate(int argc, char **argv);
int cli_import(int argc, char **argv);
int cli_export(int argc, char **argv);
int cli_discover(int argc, char **argv);
int cli_reorder(int argc, char **argv);
int cli_convert(int argc, char **argv);
int cli_diff(int argc, char **argv);

// Appends what kanvio-cli diff prints about two tables to report, one line
// per difference, nothing when they are the same. False when memory runs out.
bool cli_diff_report(const svl_table &a, const svl_table &b, std::string *report);

// The matching keys of a list's stations and the decoded names they point at.
struct CliListKeys {
    std::vector<std::string> names;
    std::vector<svl_station_key> keys;
};
void cli_list_keys(const svl_list *list, CliListKeys *out);

// Prints "kanvio-cli: SUBJECT: PROBLEM" on standard error and returns
// CLI_BAD_INPUT. Subject is usually a file path.
int cli_fail(const char *subject, const std::string &problem);

// Prints "kanvio-cli: PROBLEM" and the usage line of the command on
// standard error and returns CLI_USAGE.
int cli_usage_error(const char *command, const std::string &problem);

// Checks that a command taking no options got exactly one file argument.
// The path, or null after reporting the misuse.
const char *cli_single_path(int argc, char **argv);

// Reads a station table file into table (which must be empty). Diagnostics
// of the image reader go to standard error, never into the command's output.
// CLI_OK, or CLI_BAD_INPUT after printing the error line.
int cli_load_table(const char *path, svl_table *table);

// Reads the name column of a CSV file (svl_read_csv_names). CLI_OK, or
// CLI_BAD_INPUT after printing the error line.
int cli_read_csv_names(const char *path, svl_name_column *column);

// Runs a command that reports on one station table file: checks that it
// got exactly one file argument, loads the file, hands the table to report
// and releases it. The status of report, or of the step that failed.
int cli_report_on_table(int argc, char **argv, int (*report)(const svl_table &table));

// Writes the table's image to path. CLI_OK, or CLI_BAD_INPUT after printing
// the error line.
int cli_save_table(svl_table *table, const char *path);

// Prints the error line of a failed write of path, with the reason errno
// gives unless it is 0, and returns CLI_BAD_INPUT.
int cli_fail_write(const char *path);

// Reads a decimal number of digits only (no sign, blanks or suffix) that is
// at most max. False when the text is anything else.
bool cli_parse_number(const char *text, uint64_t max, uint64_t *value);

// A station or origin name as UTF-8, decoded from the character set its
// CharSelCode names: ISO 6937, ISO 8859-5, -7 and -9. Bytes those cannot
// give, and every non-ASCII byte of other character sets, become U+FFFD.
std::string cli_name_to_utf8(const char *bytes, size_t length, uint8_t char_sel_code);

// A list name, which the editor stores in UTF-8, with every byte that is
// not part of a valid UTF-8 sequence replaced by U+FFFD.
std::string cli_valid_utf8(const char *text);

// Appends text as a JSON string literal: quotes, backslashes and control
// characters escaped. Text must be valid UTF-8.
void cli_append_json_string(std::string &out, const std::string &text);

// Appends a list or station name for a line of text output: printable
// bytes as they are, control bytes as \xNN.
void cli_append_printable(std::string &out, const char *text);

// Writes the whole text to standard output. CLI_OK, or CLI_BAD_INPUT after
// printing the error line.
int cli_write_stdout(const std::string &text);
