// Time of one whole calculation run as the program makes it after a load: Calc_Statistics and
// the four tests, each table-based test reading its table file afresh, for n = 25 (every test
// runs), 100 (Dixon and g not tested) and 300 (only IQR tested).
#include <benchmark/benchmark.h>

#include <random>

#include "core/outlier_tests.h"
#include "core/statistics.h"
#include "core/store.h"
#include "core/tables.h"

namespace {

void calculationRun(benchmark::State& state) {
    using namespace sifton;
    const int n = static_cast<int>(state.range(0));
    SampleStore& s = store();
    s = SampleStore{};
    s.TableFolder = SIFTON_DATA_DIR;
    std::mt19937_64 random(1);
    std::normal_distribution<double> age(100.0, 10.0);
    for (int i = 1; i <= n; ++i) s.Col1[i] = age(random);
    s.RowCount = n;
    s.NData = n;

    for (auto _ : state) {
        try {
            runCalculation();
        } catch (const TableLookupError& e) {
            state.SkipWithError(e.what());
            break;
        }
        benchmark::DoNotOptimize(s.GauYoung);
        benchmark::ClobberMemory();
    }
}

BENCHMARK(calculationRun)->Arg(25)->Arg(100)->Arg(300)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
