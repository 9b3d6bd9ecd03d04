// kanvio-cli convert: a version-40 table as version 50, with the editor's
// own conversion.
#include "svl/svl_ops.h"
#include "tools/cli/cli.h"

int cli_convert(int argc, char **argv)
{
    if (argc != 3)
        return cli_usage_error(argv[0], "expected two arguments");
    svl_table table = {};
    int status = cli_load_table(argv[1], &table);
    if (status == CLI_OK && table.version != SVL_VERSION_40)
        status = cli_fail(argv[1], "not a version-40 table");
    else if (status == CLI_OK && svl_convert_table(&table) != 0)
        status = cli_fail(argv[1], "out of memory");
    else if (status == CLI_OK)
        status = cli_save_table(&table, argv[2]);
    svl_free_table(&table, 1);
    return status;
}
