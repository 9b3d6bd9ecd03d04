// Writes a few small generated station table images into a folder, the
// starting corpus of fuzz_svl_image.
#include <cstdio>
#include <string>

#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "tools/gen/svl_generate.h"

namespace {

// Small tables of both versions, realistic and of every kind.
const svl_generate_options SEEDS[] = {
    {0, 50, 0, 0},  {1, 50, 1, 100}, {3, 50, 2, 100}, {8, 50, 3, 50},          {20, 50, 8, 30},
    {0, 40, 0, 0},  {2, 40, 0, 0},   {12, 40, 0, 0},  {14, 50, 2, 50, 0, true}, {13, 40, 0, 0, 0, true},
};

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: make_svl_image_seeds FOLDER\n");
        return 2;
    }
    for (size_t i = 0; i < sizeof SEEDS / sizeof SEEDS[0]; i++) {
        svl_generate_options options = SEEDS[i];
        options.seed = i + 1;
        svl_table table = {};
        std::string path = std::string(argv[1]) + "/seed-" + std::to_string(i) + ".svl" +
                           std::to_string(options.version);
        int result = svl_generate_table(&table, options) == 0 ? svl_save_file(&table, path.c_str()) : -1;
        svl_free_table(&table, 1);
        if (result != 0) {
            fprintf(stderr, "make_svl_image_seeds: %s: cannot write\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
