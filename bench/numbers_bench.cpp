// How fast the number forms run: every column of every output goes through them.
#include <benchmark/benchmark.h>

#include "platform/numbers.h"

static void BM_Ksil(benchmark::State& state) {
    const char* values[] = {"1234.5678", "-0.25", "090.1230", "4512345.678912",
                            "1.2345650000000001"};
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(velkar::KSIL(values[i++ % 5], 4));
    }
}
BENCHMARK(BM_Ksil);

static void BM_LeadingNumber(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(velkar::leadingNumber("  4512345.678912xyz"));
}
BENCHMARK(BM_LeadingNumber);

BENCHMARK_MAIN();
