// kanvio-cli diff: what changed between two tables.
//
// Its exit statuses follow diff(1): 1 means the tables differ, so a file
// that cannot be read is trouble (2), like wrong usage.
#include "svl/svl_ops.h"
#include "tools/cli/cli.h"

namespace {

enum { DIFF_SAME = 0, DIFF_DIFFERENT = 1, DIFF_TROUBLE = 2 };

}  // namespace

int cli_diff(int argc, char **argv)
{
    if (argc != 3)
        return cli_usage_error(argv[0], "expected two arguments");
    svl_table a = {}, b = {};
    int status = DIFF_TROUBLE;
    if (cli_load_table(argv[1], &a) == CLI_OK && cli_load_table(argv[2], &b) == CLI_OK) {
        std::string report;
        if (!cli_diff_report(a, b, &report))
            cli_fail(argv[0], "out of memory");
        else if (cli_write_stdout(report) == CLI_OK)
            status = report.empty() ? DIFF_SAME : DIFF_DIFFERENT;
    }
    svl_free_table(&a, 1);
    svl_free_table(&b, 1);
    return status;
}
