// kanvio-cli import and export: the station table to and from a TV set.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "svl/svl_ops.h"
#include "svl/svl_sockets.h"
#include "svl/svl_tv.h"
#include "tools/cli/cli.h"

namespace {

// The options of a transfer command.
struct transfer_options {
    tv_options tv = tv_default_options();
    const char *backup = nullptr;  // export: where the set's table goes first
};

// The positional arguments of a transfer command, with an optional
// "--port P" anywhere among them (a set listening elsewhere than 1938, such
// as a kanvio-tvsim started with --port), and for an export "--backup FILE".
bool parse_transfer_arguments(int argc, char **argv, bool backup_allowed, std::vector<const char *> *positional,
                              transfer_options *transfer, std::string *problem)
{
    tv_options *options = &transfer->tv;
    for (int i = 1; i < argc; i++) {
        if (backup_allowed && strcmp(argv[i], "--backup") == 0) {
            if (i + 1 >= argc || !argv[i + 1][0]) {
                *problem = "--backup needs a file name";
                return false;
            }
            transfer->backup = argv[++i];
            continue;
        }
        if (strcmp(argv[i], "--port") != 0) {
            positional->push_back(argv[i]);
            continue;
        }
        uint64_t port = 0;
        if (i + 1 >= argc || !cli_parse_number(argv[i + 1], 65535, &port) || port == 0) {
            *problem = "--port needs a port number from 1 to 65535";
            return false;
        }
        options->port = static_cast<uint16_t>(port);
        i++;
    }
    if (positional->size() != 2) {
        *problem = "expected two arguments";
        return false;
    }
    return true;
}

// CLI_OK for TV_OK, else the error line for the address and CLI_BAD_INPUT.
int report_transfer(int result, const char *address)
{
    if (result == TV_OK)
        return CLI_OK;
    if (result == TV_NO_CONNECTION)
        fprintf(stderr, "kanvio-cli: no connection to %s\n", address);
    else
        fprintf(stderr, "kanvio-cli: transfer with %s failed\n", address);
    return CLI_BAD_INPUT;
}

int import_table(const char *address, const char *out, const transfer_options &options)
{
    svl_table table = {};
    int status = report_transfer(svl_import_from_tv_with(&table, address, &options.tv), address);
    if (status == CLI_OK && table.list_count == 0)
        printf("%s holds no station table; %s not written\n", address, out);
    else if (status == CLI_OK)
        status = cli_save_table(&table, out);
    svl_free_table(&table, 1);
    return status;
}

// Keeps the set's table in the backup file. A set that holds no table has
// nothing to keep; that is said and the export goes on.
int back_up_table(const char *address, const transfer_options &options)
{
    const int result = svl_back_up_tv_table(address, &options.tv, options.backup, TV_BACKUP_NAME_AS_GIVEN, nullptr);
    if (result == TV_BACKUP_NO_TABLE) {
        printf("%s holds no station table; %s not written\n", address, options.backup);
        return CLI_OK;
    }
    if (result == TV_BACKUP_UNREADABLE)
        return cli_fail(address, "reading the table for the backup failed; nothing exported");
    if (result == TV_BACKUP_UNWRITABLE)
        return cli_fail_write(options.backup);
    return report_transfer(result, address);
}

int export_table(const char *path, const char *address, const transfer_options &options)
{
    svl_table table = {};
    int status = cli_load_table(path, &table);
    if (status == CLI_OK && options.backup)
        status = back_up_table(address, options);
    if (status == CLI_OK)
        status = report_transfer(svl_export_to_tv_with(&table, address, &options.tv), address);
    svl_free_table(&table, 1);
    return status;
}

// Runs a transfer between socket start-up and clean-up.
int run_transfer(int (*transfer)(const char *, const char *, const transfer_options &), const char *first,
                 const char *second, const transfer_options &options)
{
    if (svl_sockets_startup() != 0) {
        fprintf(stderr, "kanvio-cli: socket start-up failed\n");
        return CLI_BAD_INPUT;
    }
    int status = transfer(first, second, options);
    svl_sockets_cleanup();
    return status;
}

}  // namespace

int cli_import(int argc, char **argv)
{
    std::vector<const char *> arguments;
    transfer_options options;
    std::string problem;
    if (!parse_transfer_arguments(argc, argv, false, &arguments, &options, &problem))
        return cli_usage_error(argv[0], problem);
    return run_transfer(import_table, arguments[0], arguments[1], options);
}

int cli_export(int argc, char **argv)
{
    std::vector<const char *> arguments;
    transfer_options options;
    std::string problem;
    if (!parse_transfer_arguments(argc, argv, true, &arguments, &options, &problem))
        return cli_usage_error(argv[0], problem);
    return run_transfer(export_table, arguments[0], arguments[1], options);
}
