// kanvio-cli generate: writes a generated station table.
#include <cstring>

#include "svl/svl_ops.h"
#include "tools/cli/cli.h"
#include "tools/gen/svl_generate.h"

namespace {

const uint64_t MAX_STATIONS = 1000000;

struct Arguments {
    svl_generate_options options;
    bool has_stations = false;
    bool has_favorites = false;
    const char *path = nullptr;
};

struct Option {
    const char *name;
    uint64_t max;
    void (*store)(Arguments &arguments, uint64_t value);
};

const Option OPTIONS[] = {
    {"--stations", MAX_STATIONS,
     [](Arguments &a, uint64_t value) {
         a.options.stations = static_cast<uint32_t>(value);
         a.has_stations = true;
     }},
    {"--version", UINT16_MAX,
     [](Arguments &a, uint64_t value) { a.options.version = static_cast<uint16_t>(value); }},
    {"--favorites", SVL_MAX_FAV_LISTS,
     [](Arguments &a, uint64_t value) {
         a.options.favorites = static_cast<uint32_t>(value);
         a.has_favorites = true;
     }},
    {"--favorite-percent", 100,
     [](Arguments &a, uint64_t value) { a.options.favorite_percent = static_cast<uint32_t>(value); }},
    {"--seed", UINT64_MAX, [](Arguments &a, uint64_t value) { a.options.seed = value; }},
};

const Option *find_option(const char *name)
{
    for (const Option &option : OPTIONS)
        if (strcmp(option.name, name) == 0)
            return &option;
    return nullptr;
}

// Reads one "--option VALUE" at argv[*index]; a usage error otherwise.
int read_option(Arguments &arguments, int argc, char **argv, int *index)
{
    const char *name = argv[*index];
    const Option *option = find_option(name);
    if (!option)
        return cli_usage_error(argv[0], std::string("unknown option '") + name + "'");
    if (*index + 1 >= argc)
        return cli_usage_error(argv[0], std::string(name) + " needs a value");
    const char *text = argv[++*index];
    uint64_t value = 0;
    if (!cli_parse_number(text, option->max, &value))
        return cli_usage_error(argv[0], std::string("invalid value '") + text + "' for " + name +
                                            " (a number from 0 to " + std::to_string(option->max) + ")");
    option->store(arguments, value);
    return CLI_OK;
}

int check_arguments(const Arguments &arguments, const char *command)
{
    const svl_generate_options &options = arguments.options;
    if (!arguments.has_stations)
        return cli_usage_error(command, "--stations is required");
    if (options.version != SVL_VERSION_40 && options.version != SVL_VERSION_50)
        return cli_usage_error(command, "--version must be 40 or 50");
    if (options.version == SVL_VERSION_40 && arguments.has_favorites && options.favorites != 0)
        return cli_usage_error(command, "version-40 tables have no favorite lists");
    if (!arguments.path)
        return cli_usage_error(command, "missing OUT file");
    return CLI_OK;
}

int parse_arguments(Arguments &arguments, int argc, char **argv)
{
    for (int i = 1; i < argc; i++) {
        if (argv[i][0] == '-' && argv[i][1] != '\0') {
            int result = read_option(arguments, argc, argv, &i);
            if (result != CLI_OK)
                return result;
        } else if (arguments.path) {
            return cli_usage_error(argv[0], "more than one OUT file");
        } else {
            arguments.path = argv[i];
        }
    }
    return check_arguments(arguments, argv[0]);
}

}  // namespace

int cli_generate(int argc, char **argv)
{
    Arguments arguments;
    int result = parse_arguments(arguments, argc, argv);
    if (result != CLI_OK)
        return result;
    svl_table table = {};
    if (svl_generate_table(&table, arguments.options) != 0)
        return cli_fail(arguments.path, "out of memory while generating the table");
    result = cli_save_table(&table, arguments.path);
    svl_free_table(&table, 1);
    return result;
}
