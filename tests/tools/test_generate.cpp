// The table generator's refused options. The tables it makes are checked
// by every test that builds on them.
#include <gtest/gtest.h>

#include "svl/svl_ops.h"
#include "tests/support/tables.h"
#include "tools/gen/svl_generate.h"

namespace {

TEST(GeneratorOptions, AreRefusedOutsideTheirRangeAndAFilledTableIsLeftAlone)
{
    for (const svl_generate_options &options : {svl_generate_options{10, 45}, svl_generate_options{10, 50, 9},
                                                svl_generate_options{10, 50, 2, 101}}) {
        OwnedTable table;
        EXPECT_EQ(svl_generate_table(&table.table, options), -1);
        EXPECT_EQ(table->lists, nullptr);
    }
    OwnedTable table;
    ASSERT_EQ(svl_init_table(&table.table, 50), 0);
    EXPECT_EQ(svl_generate_table(&table.table, svl_generate_options{}), -1);
    EXPECT_EQ(table.list(0)->count, 0u);
    EXPECT_EQ(svl_generate_table(nullptr, svl_generate_options{}), -1);
}

}  // namespace
