// Content checksum throughput: one capture of 50 MB split into representations.

#include "core/Representation.h"

#include <benchmark/benchmark.h>

static void BM_Checksum50MB(benchmark::State &state)
{
    const int parts = int(state.range(0));
    const qsizetype total = 50 * 1000 * 1000;
    QList<Representation> reps;
    for (int i = 0; i < parts; ++i)
        reps.append(
            {i, QStringLiteral("public.png"), QByteArray(total / parts, char('a' + i % 26))});
    for (auto _ : state)
        benchmark::DoNotOptimize(Representation::checksum(reps));
    state.SetBytesProcessed(state.iterations() * total);
}
BENCHMARK(BM_Checksum50MB)->Arg(1)->Arg(50)->Arg(5000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
