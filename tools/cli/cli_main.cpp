// kanvio-cli: command-line access to station table files for users and
// scripts. This file holds the command table and the usage text.
#include <cstdio>
#include <cstring>

#include "tools/cli/cli.h"

namespace {

struct Command {
    const char *name;
    const char *arguments;  // what follows the command name on the command line
    const char *summary;
    int (*run)(int argc, char **argv);
};

const Command COMMANDS[] = {
    {"info", "FILE", "Show the version, the TV and radio station counts and the favorite lists.", cli_info},
    {"dump", "FILE",
     "Write the whole table as JSON to standard output. Names appear as text and as raw\n"
     "bytes in hex (name_hex, origin_name_hex); favorite lists hold 0-based positions\n"
     "in the base list of their medium.",
     cli_dump},
    {"generate", "--stations N [--version 40|50] [--favorites K] [--favorite-percent P] [--seed S] OUT",
     "Write a generated station table: N stations (0..1000000), format version 40 or 50\n"
     "(default 50), K favorite lists per medium (0..8, default 2, version 50 only),\n"
     "each holding P percent of the medium's stations (0..100, default 20), made from\n"
     "the seed S (default 1). The same arguments always give the same file.",
     cli_generate},
    {"import", "[--port P] ADDRESS OUT",
     "Read the station table of the TV set at ADDRESS and write it to OUT. A set that\n"
     "holds no table is reported and OUT is not written.",
     cli_import},
    {"export", "[--port P] [--backup BACKUP] FILE ADDRESS",
     "Write the station table in FILE into the TV set at ADDRESS. With --backup, the\n"
     "table the set holds is read first and written to BACKUP; when it cannot be read\n"
     "or written, nothing is exported.",
     cli_export},
    {"discover", "[--seconds N] [--target ST]",
     "Search the local network for TV sets for N seconds (1..3600, default 3) and print\n"
     "one line per device: address, friendly name, device type and description URL,\n"
     "separated by tabs. --target searches for ST instead; ssdp:all finds every device.",
     cli_discover},
    {"reorder", "[--list tv|radio] [--delete-unmatched] --reference REF IN OUT",
     "Order the base lists of IN like those of the reference REF and write the result to\n"
     "OUT. REF is a station table, or a CSV file (*.csv) whose last column holds names,\n"
     "such as Export CSV writes; a CSV file needs --list. Stations match by network,\n"
     "transport stream and service id, else by name ignoring case. Stations not in the\n"
     "reference follow in their former order, or are deleted with --delete-unmatched.",
     cli_reorder},
    {"convert", "IN.svl40 OUT.svl50", "Convert a version-40 table to version 50, as the editor's Convert table does.",
     cli_convert},
    {"diff", "A B",
     "Show what differs between two tables: stations only in A or only in B, stations\n"
     "that moved (with both positions), stations whose fields changed (with their\n"
     "names), and favorite lists that differ. Stations match as in reorder. Exit\n"
     "status 0 when the tables are the same, 1 when they differ, 2 on wrong usage or\n"
     "an unreadable file.",
     cli_diff},
};

const Command *find_command(const char *name)
{
    for (const Command &command : COMMANDS)
        if (strcmp(command.name, name) == 0)
            return &command;
    return nullptr;
}

void print_usage_line(FILE *stream, const Command &command)
{
    fprintf(stream, "usage: kanvio-cli %s %s\n", command.name, command.arguments);
}

// The summary with every line indented.
void print_summary(FILE *stream, const Command &command, const char *indent)
{
    fputs(indent, stream);
    for (const char *c = command.summary; *c; c++) {
        fputc(*c, stream);
        if (*c == '\n')
            fputs(indent, stream);
    }
    fputc('\n', stream);
}

void print_command_help(FILE *stream, const Command &command)
{
    print_usage_line(stream, command);
    fputc('\n', stream);
    print_summary(stream, command, "");
}

void print_usage(FILE *stream)
{
    fputs("usage: kanvio-cli COMMAND ARGUMENTS...\n"
          "       kanvio-cli [COMMAND] --help\n"
          "\n"
          "Reads and writes Tavrel station table files (.svl40, .svl50).\n"
          "\n"
          "Commands:\n",
          stream);
    for (const Command &command : COMMANDS) {
        fprintf(stream, "  %s %s\n", command.name, command.arguments);
        print_summary(stream, command, "      ");
    }
    fputs("\n"
          "Exit status: 0 success, 1 unreadable or invalid input or failed write,\n"
          "2 wrong usage. Errors are reported on standard error.\n",
          stream);
}

bool is_help(const char *argument)
{
    return strcmp(argument, "--help") == 0 || strcmp(argument, "-h") == 0;
}

bool asks_for_help(int argc, char **argv)
{
    for (int i = 1; i < argc; i++)
        if (is_help(argv[i]))
            return true;
    return false;
}

}  // namespace

int cli_usage_error(const char *command_name, const std::string &problem)
{
    fprintf(stderr, "kanvio-cli: %s\n", problem.c_str());
    const Command *command = find_command(command_name);
    if (command)
        print_usage_line(stderr, *command);
    fputs("Run 'kanvio-cli --help' for the list of commands.\n", stderr);
    return CLI_USAGE;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        print_usage(stderr);
        return CLI_USAGE;
    }
    if (is_help(argv[1]) || strcmp(argv[1], "help") == 0) {
        print_usage(stdout);
        return CLI_OK;
    }
    const Command *command = find_command(argv[1]);
    if (!command) {
        fprintf(stderr, "kanvio-cli: unknown command '%s'\n", argv[1]);
        print_usage(stderr);
        return CLI_USAGE;
    }
    if (asks_for_help(argc - 1, argv + 1)) {
        print_command_help(stdout, *command);
        return CLI_OK;
    }
    return command->run(argc - 1, argv + 1);
}
