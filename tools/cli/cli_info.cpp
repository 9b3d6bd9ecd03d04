// kanvio-cli info: a short summary of a station table file.
#include "svl/svl_ops.h"
#include "tools/cli/cli.h"

namespace {

const char *favorite_medium(uint32_t kind)
{
    return kind == SVL_KIND_TV_FAV ? "TV" : "radio";
}

std::string summary(const svl_table &table)
{
    std::string out;
    out += "version: " + std::to_string(table.version) + "\n";
    out += "TV stations: " + std::to_string(table.lists[0]->count) + "\n";
    out += "radio stations: " + std::to_string(table.lists[1]->count) + "\n";
    out += "favorite lists: " + std::to_string(table.list_count - 2) + "\n";
    for (uint32_t i = 2; i < table.list_count; i++) {
        const svl_list *list = table.lists[i];
        out += std::string(favorite_medium(list->kind)) + " favorite list \"";
        cli_append_printable(out, list->name);
        out += "\": " + std::to_string(list->count) + (list->count == 1 ? " station\n" : " stations\n");
    }
    return out;
}

int write_summary(const svl_table &table)
{
    return cli_write_stdout(summary(table));
}

}  // namespace

int cli_info(int argc, char **argv)
{
    return cli_report_on_table(argc, argv, write_summary);
}
