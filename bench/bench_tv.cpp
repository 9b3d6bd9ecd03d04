// Import and export of a 100,000-station table over loopback, against the
// simulated set's transfer service running on a thread of this process.
#include <cstdio>
#include <thread>

#include <benchmark/benchmark.h>

#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "svl/svl_sockets.h"
#include "svl/svl_tv.h"
#include "tools/gen/svl_generate.h"
#include "tools/tvsim/tvsim_loop.h"
#include "tools/tvsim/tvsim_transfer.h"

namespace {

const char ADDRESS[] = "127.0.5.250";
const uint32_t STATIONS = 100000;

void generate(svl_table *table, uint64_t seed)
{
    svl_generate_options options;
    options.stations = STATIONS;
    options.seed = seed;
    if (svl_generate_table(table, options) != 0)
        fprintf(stderr, "bench_tv: cannot generate the table\n");
}

// The simulated set on its own thread for as long as a benchmark runs.
class SimulatedSet {
public:
    SimulatedSet()
    {
        svl_sockets_startup();
        svl_table table = {};
        generate(&table, 1);
        tvsim_store_set_table(&store_, &table);
        loop_ = tvsim_loop_new();
        transfer_ = tvsim_transfer_start(loop_, &store_, ADDRESS, 0, TVSIM_FAULT_NONE);
        tvsim_transfer_set_log(transfer_, nullptr);
        options_ = {tvsim_transfer_port(transfer_), TV_DEFAULT_WAIT_MS};
        thread_ = std::thread([this] { tvsim_loop_run(loop_); });
    }

    ~SimulatedSet()
    {
        tvsim_loop_stop(loop_);
        thread_.join();
        tvsim_transfer_stop(transfer_);
        tvsim_loop_free(loop_);
        tvsim_store_clear(&store_);
        svl_sockets_cleanup();
    }

    const tv_options *options() const { return &options_; }
    size_t image_size() const { return store_.image.size(); }

private:
    tvsim_store store_;
    tvsim_loop *loop_ = nullptr;
    tvsim_transfer *transfer_ = nullptr;
    tv_options options_ = {};
    std::thread thread_;
};

void BM_ImportFromTv(benchmark::State &state)
{
    SimulatedSet set;
    for (auto _ : state) {
        svl_table target = {};
        if (svl_import_from_tv_with(&target, ADDRESS, set.options()) != TV_OK)
            state.SkipWithError("import failed");
        state.PauseTiming();
        svl_free_table(&target, 1);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * set.image_size()));
}
// Real time: the set's half of the work runs on its own thread.
BENCHMARK(BM_ImportFromTv)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportToTv(benchmark::State &state)
{
    SimulatedSet set;
    svl_table table = {};
    generate(&table, 2);
    for (auto _ : state)
        if (svl_export_to_tv_with(&table, ADDRESS, set.options()) != TV_OK)
            state.SkipWithError("export failed");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * set.image_size()));
    svl_free_table(&table, 1);
}
BENCHMARK(BM_ExportToTv)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
