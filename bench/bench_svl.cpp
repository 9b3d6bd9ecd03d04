// Reading and writing station table images of realistic size: version-50
// tables with eight full favorite lists per medium.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "tools/gen/svl_generate.h"

namespace {

// A generated table and its image, made once per size.
struct Sample {
    svl_table table = {};
    std::string image;

    explicit Sample(uint32_t stations)
    {
        svl_generate_options options;
        options.stations = stations;
        options.version = SVL_VERSION_50;
        options.favorites = SVL_MAX_FAV_LISTS;
        options.favorite_percent = 100;
        options.seed = stations;
        if (svl_generate_table(&table, options) != 0)
            return;
        size_t length = 0;
        uint8_t *bytes = svl_build_table(&table, &length);
        if (bytes)
            image.assign(reinterpret_cast<const char *>(bytes), length);
        svl_free_image(bytes);
    }

    ~Sample() { svl_free_table(&table, 1); }
};

Sample &sample(uint32_t stations)
{
    static std::map<uint32_t, std::unique_ptr<Sample>> samples;
    std::unique_ptr<Sample> &found = samples[stations];
    if (!found)
        found = std::make_unique<Sample>(stations);
    return *found;
}

const uint8_t *bytes_of(const std::string &image)
{
    return reinterpret_cast<const uint8_t *>(image.data());
}

void finish(benchmark::State &state, const Sample &data)
{
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.image.size()));
}

// Freeing the parsed table is not part of reading it.
void free_untimed(benchmark::State &state, svl_table *table)
{
    state.PauseTiming();
    svl_free_table(table, 1);
    state.ResumeTiming();
}

void parse(benchmark::State &state)
{
    Sample &data = sample(uint32_t(state.range(0)));
    for (auto _ : state) {
        svl_table table = {};
        if (svl_parse_table(&table, bytes_of(data.image), data.image.size()) != 0)
            state.SkipWithError("image not readable");
        free_untimed(state, &table);
    }
    finish(state, data);
}

void build(benchmark::State &state)
{
    Sample &data = sample(uint32_t(state.range(0)));
    for (auto _ : state) {
        size_t length = 0;
        uint8_t *image = svl_build_table(&data.table, &length);
        if (!image)
            state.SkipWithError("table not buildable");
        benchmark::DoNotOptimize(image);
        svl_free_image(image);
    }
    finish(state, data);
}

void parse_and_build(benchmark::State &state)
{
    Sample &data = sample(uint32_t(state.range(0)));
    for (auto _ : state) {
        svl_table table = {};
        size_t length = 0;
        if (svl_parse_table(&table, bytes_of(data.image), data.image.size()) != 0)
            state.SkipWithError("image not readable");
        uint8_t *image = svl_build_table(&table, &length);
        benchmark::DoNotOptimize(image);
        svl_free_image(image);
        free_untimed(state, &table);
    }
    finish(state, data);
}

void sizes(benchmark::internal::Benchmark *benchmark)
{
    benchmark->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(parse)->Apply(sizes);
BENCHMARK(build)->Apply(sizes);
BENCHMARK(parse_and_build)->Apply(sizes);
