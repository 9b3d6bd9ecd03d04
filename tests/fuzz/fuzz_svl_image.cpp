// Fuzzes the station table image reader: any input either fails cleanly,
// leaving the table empty, or gives a table whose image reads back to a
// table that builds the very same image.
//
// Building renumbers the uids, so the second build starts the uid counter
// where the first one did; then the two images must match byte for byte.
#include <cstdlib>
#include <cstring>

#include "svl/svl_image.h"
#include "svl/svl_internal.h"
#include "svl/svl_ops.h"

namespace {

void require(bool condition)
{
    if (!condition)
        abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    svl_table first = {};
    if (svl_parse_table(&first, data, size) != 0) {
        require(first.list_count == 0 && first.lists == nullptr);
        return 0;
    }
    uint16_t first_uid = svl_peek_next_uid();
    size_t length = 0;
    uint8_t *image = svl_build_table(&first, &length);
    require(image != nullptr);

    svl_table second = {};
    require(svl_parse_table(&second, image, length) == 0);
    size_t again_length = 0;
    svl_set_next_uid(first_uid);
    uint8_t *again = svl_build_table(&second, &again_length);
    require(again != nullptr && again_length == length && memcmp(again, image, length) == 0);

    svl_free_image(again);
    svl_free_image(image);
    svl_free_table(&second, 1);
    svl_free_table(&first, 1);
    return 0;
}
