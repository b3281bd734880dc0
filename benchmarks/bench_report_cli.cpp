// sifton-report over 10,000 data files of 300 values each, side by side with only reading and
// parsing the same files (readDataFile, the reader the command uses). The files are written into
// a temporary folder first and removed at the end; both benchmarks read them from the page cache.
//   reportFiles     the whole command: read, compute, write a tsv row per file (to /dev/null)
//   readFiles       the baseline: readDataFile for each file
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "core/input.h"
#include "report_cli/report_command.h"

namespace {

constexpr int kFiles = 10'000;
constexpr int kValues = 300;

class DataFolder {
  public:
    DataFolder() {
        m_path =
            std::filesystem::temp_directory_path() / ("sifton-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_path);
        std::mt19937_64 random(7);
        std::normal_distribution<double> age(60.0, 8.0);
        for (int f = 0; f < kFiles; ++f) {
            std::ostringstream text;
            text << "Sample " << f << ",S-" << f << ",Miocene\n";
            text.precision(4);
            for (int i = 1; i <= kValues; ++i) text << age(random) << ",1.2,grain " << i << "\n";
            const std::string path = (m_path / ("sample-" + std::to_string(f) + ".csv")).string();
            std::ofstream(path, std::ios::binary) << text.str();
            m_files.push_back(path);
        }
    }
    ~DataFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::vector<std::string>& files() const { return m_files; }

  private:
    std::filesystem::path m_path;
    std::vector<std::string> m_files;
};

const DataFolder& folder() {
    static const DataFolder data;
    return data;
}

void reportFiles(benchmark::State& state) {
    const std::vector<std::string>& files = folder().files();
    std::istringstream in;
    std::ofstream out("/dev/null");
    std::ostringstream err;
    sifton::cli::Environment env{in, out, err, SIFTON_DATA_DIR, "", {}, false, {}};
    for (auto _ : state) {
        const int status = sifton::cli::runReportCommand(files, env);
        if (status != sifton::cli::kExitComputed) state.SkipWithError(err.str().c_str());
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

void readFiles(benchmark::State& state) {
    const std::vector<std::string>& files = folder().files();
    for (auto _ : state) {
        for (const std::string& path : files) {
            sifton::DataFile file = sifton::readDataFile(path);
            benchmark::DoNotOptimize(file.rows.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

BENCHMARK(readFiles)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(reportFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
