// Matching at the size of the largest station lists: ordering a list of
// 50,000 stations by a reference of 50,000, finding the duplicates among
// 50,000 stations, and diffing two tables of 50,000, names decoded as
// kanvio-cli decodes them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "svl/svl_ops.h"
#include "tools/cli/cli.h"
#include "tools/gen/svl_generate.h"

namespace {

const uint32_t STATIONS = 50000;

void generate(svl_table *table, uint64_t seed)
{
    svl_generate_options options;
    options.stations = STATIONS;
    options.favorites = 2;
    options.seed = seed;
    svl_generate_table(table, options);
}

// Every station of the table in one list, shuffled: a fresh scan of last
// year's stations.
svl_list *all_stations(const svl_table &table, uint32_t seed)
{
    svl_list *list = svl_new_list("all", SVL_KIND_TV, SVL_ATTR_BASE);
    for (int base = 0; base < 2; ++base)
        for (uint32_t i = 0; i < table.lists[base]->count; ++i)
            svl_append_station(list, table.lists[base]->stations[i]);
    std::shuffle(list->stations, list->stations + list->count, std::mt19937(seed));
    return list;
}

struct Tables {
    svl_table a = {}, b = {};
    Tables()
    {
        generate(&a, 1);
        generate(&b, 1);
    }
    ~Tables()
    {
        svl_free_table(&a, 1);
        svl_free_table(&b, 1);
    }
};

Tables &tables()
{
    static Tables tables;
    return tables;
}

void reorder_by_reference(benchmark::State &state)
{
    svl_list *list = all_stations(tables().a, 2), *reference = all_stations(tables().b, 3);
    CliListKeys reference_keys;
    cli_list_keys(reference, &reference_keys);
    std::vector<uint32_t> order(list->count);
    for (auto _ : state) {
        CliListKeys keys;
        cli_list_keys(list, &keys);
        svl_match_counts counts;
        if (svl_reference_order(keys.keys.data(), list->count, reference_keys.keys.data(), reference->count,
                                order.data(), &counts) != 0 ||
            svl_reorder_list(list, order.data()) != 0)
            state.SkipWithError("no memory");
        // Back to the scan's order, untimed, so that every round starts alike.
        state.PauseTiming();
        std::shuffle(list->stations, list->stations + list->count, std::mt19937(2));
        state.ResumeTiming();
    }
    svl_free_list(list, 0);
    svl_free_list(reference, 0);
}

void find_duplicates(benchmark::State &state)
{
    // Nine in ten stations once, every tenth twice.
    svl_list *list = all_stations(tables().a, 4);
    std::vector<uint8_t> beyond(list->count);
    std::fill(beyond.begin() + STATIONS / 10 * 9, beyond.end(), uint8_t(1));
    svl_remove_marked_stations(list, beyond.data());
    for (uint32_t i = 0; list->count < STATIONS; i += 9)
        svl_append_station(list, list->stations[i]);
    std::vector<uint8_t> duplicate(list->count);
    for (auto _ : state) {
        CliListKeys keys;
        cli_list_keys(list, &keys);
        benchmark::DoNotOptimize(svl_find_duplicates(keys.keys.data(), list->count, duplicate.data()));
    }
    svl_free_list(list, 0);
}

void diff_tables(benchmark::State &state)
{
    // B: the base lists shuffled and every hundredth station retuned.
    svl_table &b = tables().b;
    for (int base = 0; base < 2; ++base) {
        svl_list *list = b.lists[base];
        std::shuffle(list->stations, list->stations + list->count, std::mt19937(5));
        for (uint32_t i = 0; i < list->count; i += 100)
            list->stations[i]->frequency += 8000;
    }
    for (auto _ : state) {
        std::string report;
        if (!cli_diff_report(tables().a, b, &report))
            state.SkipWithError("no memory");
        benchmark::DoNotOptimize(report);
    }
}

}  // namespace

BENCHMARK(reorder_by_reference)->Unit(benchmark::kMillisecond);
BENCHMARK(find_duplicates)->Unit(benchmark::kMillisecond);
BENCHMARK(diff_tables)->Unit(benchmark::kMillisecond);
