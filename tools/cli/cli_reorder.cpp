// kanvio-cli reorder: the base lists of a table in the order of a reference
// table or of a CSV list of names.
#include <cstring>
#include <unordered_set>

#include "svl/svl_ops.h"
#include "tools/cli/cli.h"

namespace {

struct Arguments {
    const char *reference = nullptr;
    const char *in = nullptr;
    const char *out = nullptr;
    int only_list = -1;  // base list index, or -1 for both
    bool delete_unmatched = false;
};

bool is_csv_path(const char *path)
{
    size_t length = strlen(path);
    return length >= 4 && strcasecmp(path + length - 4, ".csv") == 0;
}

int read_list_option(const char *command, const char *value, Arguments *arguments)
{
    if (value && strcmp(value, "tv") == 0)
        arguments->only_list = SVL_TV_LIST_INDEX;
    else if (value && strcmp(value, "radio") == 0)
        arguments->only_list = SVL_RADIO_LIST_INDEX;
    else
        return cli_usage_error(command, "--list needs tv or radio");
    return CLI_OK;
}

int read_arguments(int argc, char **argv, Arguments *arguments)
{
    const char *command = argv[0];
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const char *argument = argv[i];
        if (strcmp(argument, "--delete-unmatched") == 0) {
            arguments->delete_unmatched = true;
        } else if (strcmp(argument, "--list") == 0) {
            if (read_list_option(command, i + 1 < argc ? argv[++i] : nullptr, arguments) != CLI_OK)
                return CLI_USAGE;
        } else if (strcmp(argument, "--reference") == 0) {
            if (i + 1 >= argc)
                return cli_usage_error(command, "--reference needs a file");
            arguments->reference = argv[++i];
        } else if (argument[0] == '-' && argument[1] != '\0') {
            return cli_usage_error(command, std::string("unknown option '") + argument + "'");
        } else if (files == 2) {
            return cli_usage_error(command, "too many arguments");
        } else {
            (files++ == 0 ? arguments->in : arguments->out) = argument;
        }
    }
    if (!arguments->reference)
        return cli_usage_error(command, "--reference is required");
    if (files < 2)
        return cli_usage_error(command, "expected IN and OUT files");
    if (is_csv_path(arguments->reference) && arguments->only_list < 0)
        return cli_usage_error(command, "a CSV reference holds one list's names: choose it with --list tv or --list radio");
    return CLI_OK;
}

// The reference's entries for a base list: the stations of the reference
// table's list of the same medium, or every name of the CSV file.
struct Reference {
    svl_table table = {};
    svl_name_column column = {};
    bool is_csv = false;

    Reference() = default;
    Reference(const Reference &) = delete;
    Reference &operator=(const Reference &) = delete;
    ~Reference()
    {
        svl_free_table(&table, 1);
        svl_free_name_column(&column);
    }

    int load(const char *path)
    {
        is_csv = is_csv_path(path);
        return is_csv ? cli_read_csv_names(path, &column) : cli_load_table(path, &table);
    }

    void keys_for(int base, CliListKeys *out) const
    {
        if (!is_csv) {
            cli_list_keys(table.lists[base], out);
            return;
        }
        out->keys.resize(column.count);
        for (uint32_t i = 0; i < column.count; ++i)
            out->keys[i] = svl_key_of_name(column.names[i]);
    }
};

// Removes the stations from position first on, from the base list and from
// every favorite list of its medium, and releases them.
void delete_tail(svl_table *table, int base, uint32_t first)
{
    svl_list *list = table->lists[base];
    std::unordered_set<const svl_station *> doomed(list->stations + first, list->stations + list->count);
    std::vector<svl_station *> records(list->stations + first, list->stations + list->count);
    for (uint32_t i = SVL_FIRST_FAV_INDEX; i < table->list_count; ++i) {
        svl_list *favorites = table->lists[i];
        if (svl_base_index_of(favorites->kind) != base)
            continue;
        std::vector<uint8_t> marked(favorites->count);
        for (uint32_t k = 0; k < favorites->count; ++k)
            marked[k] = doomed.count(favorites->stations[k]) != 0;
        svl_remove_marked_stations(favorites, marked.data());
    }
    std::vector<uint8_t> marked(list->count);
    std::fill(marked.begin() + first, marked.end(), uint8_t(1));
    svl_remove_marked_stations(list, marked.data());
    for (svl_station *station : records)
        svl_free_station(station);
}

std::string counts_line(const svl_list *list, const svl_match_counts &counts, bool deleted)
{
    return std::string(list->name) + ": " + std::to_string(counts.by_id) + " matched by id, " +
           std::to_string(counts.by_name) + " by name, " + std::to_string(counts.unmatched) +
           (deleted ? " not in the reference (deleted)\n" : " not in the reference\n");
}

bool reorder_list(svl_table *table, int base, const Reference &reference, bool delete_unmatched, std::string *out)
{
    CliListKeys stations, entries;
    cli_list_keys(table->lists[base], &stations);
    reference.keys_for(base, &entries);
    std::vector<uint32_t> order(stations.keys.size());
    svl_match_counts counts;
    if (svl_reference_order(stations.keys.data(), uint32_t(stations.keys.size()), entries.keys.data(),
                            uint32_t(entries.keys.size()), order.data(), &counts) != 0 ||
        svl_reorder_list(table->lists[base], order.data()) != 0)
        return false;
    if (delete_unmatched)
        delete_tail(table, base, counts.by_id + counts.by_name);
    *out += counts_line(table->lists[base], counts, delete_unmatched);
    return true;
}

}  // namespace

int cli_reorder(int argc, char **argv)
{
    Arguments arguments;
    if (read_arguments(argc, argv, &arguments) != CLI_OK)
        return CLI_USAGE;
    Reference reference;
    if (reference.load(arguments.reference) != CLI_OK)
        return CLI_BAD_INPUT;
    svl_table table = {};
    int status = cli_load_table(arguments.in, &table);
    std::string report;
    for (int base = 0; status == CLI_OK && base < 2; ++base)
        if ((arguments.only_list < 0 || arguments.only_list == base) &&
            !reorder_list(&table, base, reference, arguments.delete_unmatched, &report))
            status = cli_fail(arguments.in, "out of memory");
    if (status == CLI_OK)
        status = cli_save_table(&table, arguments.out);
    if (status == CLI_OK)
        status = cli_write_stdout(report);
    svl_free_table(&table, 1);
    return status;
}
