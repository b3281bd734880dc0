// Time of one calculation, side by side with a baseline of copying, sorting and summing the same
// values:
//   calculation/n       calculate(): the statistics and the four tests with their p-values, the
//                       tables already parsed (n = 25: every test runs; 100: Dixon and g not
//                       tested; 300: only IQR tested);
//   copySortSum/n       the baseline: copy the n values, sort them, sum them;
//   windowRun/n         what the window does after a load: the analysis of the data set, each
//                       table looked up in tables checked for changes at every run, and the
//                       presentation of everything shown (labels, ESD screen, plot).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "core/analysis.h"
#include "core/calculation.h"
#include "core/tables.h"
#include "ui/presentation.h"

namespace {

using namespace sifton;

std::vector<double> ages(int n) {
    std::mt19937_64 random(1);
    std::normal_distribution<double> age(100.0, 10.0);
    std::vector<double> values(static_cast<std::size_t>(n));
    for (double& v : values) v = age(random);
    return values;
}

void calculation(benchmark::State& state) {
    Sample sample{ages(static_cast<int>(state.range(0))), {}};
    FolderTables tables(SIFTON_DATA_DIR, false);
    try {
        calculate(sample, tables);  // parses the tables
    } catch (const TableLookupError& e) {
        state.SkipWithError(e.what());
        return;
    }
    for (auto _ : state) {
        Results r = calculate(sample, tables);
        benchmark::DoNotOptimize(r);
    }
}

void copySortSum(benchmark::State& state) {
    const std::vector<double> values = ages(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<double> copy = values;
        std::sort(copy.begin(), copy.end());
        double sum = std::accumulate(copy.begin(), copy.end(), 0.0);
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(copy.data());
    }
}

void windowRun(benchmark::State& state) {
    auto data = std::make_shared<DataSet>();
    for (double value : ages(static_cast<int>(state.range(0))))
        data->rows.push_back(DataRow{value, 0.0, {}});
    FolderTables tables(SIFTON_DATA_DIR, true);
    for (auto _ : state) {
        try {
            const Analysis analysis = Analysis::of(data, tables);
            Presentation shown = present(&analysis, GesdSettings{});
            benchmark::DoNotOptimize(shown);
        } catch (const TableLookupError& e) {
            state.SkipWithError(e.what());
            break;
        }
    }
}

BENCHMARK(calculation)->Arg(25)->Arg(100)->Arg(300)->Unit(benchmark::kMicrosecond);
BENCHMARK(copySortSum)->Arg(25)->Arg(100)->Arg(300)->Unit(benchmark::kMicrosecond);
BENCHMARK(windowRun)->Arg(25)->Arg(100)->Arg(300)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
