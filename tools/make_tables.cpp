// make_tables: writes the critical-value tables grubbs.dat, dixon.dat and gauss-g.dat.
//
//   make_tables [--dixon-samples N] [--seed S] [--dixon-p-samples M] [--dixon-p-seed T] OUTPUT_DIR
//
// Grubbs and g values come from closed formulas with Student's t. Dixon values come from a
// Monte-Carlo simulation; N normal samples per n (default 1e8), N = 0 skips it and leaves
// dixon.dat alone. With M > 0 the same simulation, from its own seed T, also writes
// dixon-p.dat: the upper tail P(R > r) of each n's ratio on a grid of r, from which the program
// reads p-values. Output is deterministic for given counts and seeds. Progress goes to stderr.

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dixon_sim.h"
#include "formulas.h"

namespace {

using namespace sifton::tools;

constexpr std::array<double, 5> kGrubbsLevels = {0.10, 0.075, 0.05, 0.025, 0.01};
constexpr std::array<double, 5> kDixonLevels = {0.10, 0.05, 0.02, 0.01, 0.005};
constexpr double kGaussLevel = 0.05;
constexpr std::uint64_t kDefaultDixonSamples = 100'000'000;
constexpr std::uint64_t kDefaultSeed = 20'251'206;
constexpr std::uint64_t kDefaultDixonPSeed = 20'261'207;
constexpr int kDixonPSteps = 1000;  // grid of r: 0, 0.001, ..., 1

struct Options {
    std::filesystem::path out_dir;
    std::uint64_t dixon_samples = kDefaultDixonSamples;
    std::uint64_t seed = kDefaultSeed;
    std::uint64_t dixon_p_samples = 0;
    std::uint64_t dixon_p_seed = kDefaultDixonPSeed;
};

[[noreturn]] void usage(const char* why, int status = 2) {
    if (why != nullptr) std::cerr << "make_tables: " << why << "\n";
    std::cerr << "usage: make_tables [--dixon-samples N] [--seed S] [--dixon-p-samples M]\n"
              << "                   [--dixon-p-seed T] OUTPUT_DIR\n"
              << "  --dixon-samples N    normal samples per n for dixon.dat (default "
              << kDefaultDixonSamples << "; 0 skips dixon.dat)\n"
              << "  --seed S             master seed of the simulation (default " << kDefaultSeed
              << ")\n"
              << "  --dixon-p-samples M  normal samples per n for dixon-p.dat (default 0: "
                 "skipped)\n"
              << "  --dixon-p-seed T     master seed of that simulation (default "
              << kDefaultDixonPSeed << ")\n";
    std::exit(status);
}

// Accepts plain integers and forms such as 1e7.
std::uint64_t parse_count(std::string_view text) {
    const std::string s(text);
    std::size_t used = 0;
    double v = 0.0;
    try {
        v = std::stod(s, &used);
    } catch (const std::exception&) {
        usage("not a number");
    }
    if (used != s.size() || !(v >= 0.0) || v > 1e18 || v != std::floor(v)) {
        usage("expected a whole number");
    }
    if (s.find_first_of(".eE") == std::string::npos) return std::stoull(s);
    return static_cast<std::uint64_t>(v);
}

Options parse_args(int argc, char** argv) {
    Options opt;
    bool have_dir = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const std::pair<std::string_view, std::uint64_t*> counts[] = {
            {"--dixon-samples", &opt.dixon_samples},
            {"--seed", &opt.seed},
            {"--dixon-p-samples", &opt.dixon_p_samples},
            {"--dixon-p-seed", &opt.dixon_p_seed}};
        const auto count = std::find_if(std::begin(counts), std::end(counts),
                                        [&](const auto& c) { return c.first == arg; });
        if (count != std::end(counts)) {
            if (i + 1 >= argc) usage("option needs a value");
            *count->second = parse_count(argv[++i]);
        } else if (arg == "-h" || arg == "--help") {
            usage(nullptr, 0);
        } else if (!arg.empty() && arg[0] == '-') {
            usage("unknown option");
        } else if (!have_dir) {
            opt.out_dir = arg;
            have_dir = true;
        } else {
            usage("more than one output folder");
        }
    }
    if (!have_dir) usage("no output folder given");
    return opt;
}

std::string fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

void write_file(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::cerr << "make_tables: cannot write " << path << "\n";
        std::exit(1);
    }
    std::cerr << "wrote " << path.string() << "\n";
}

// Returns the number of problems found (records whose values do not grow strictly).
int check_increasing(const std::string& table, int n, const std::vector<std::string>& cells) {
    int problems = 0;
    for (std::size_t i = 1; i < cells.size(); ++i) {
        if (!(std::stod(cells[i]) > std::stod(cells[i - 1]))) {
            std::cerr << "WARNING: " << table << " n=" << n << ": column " << i + 1
                      << " is not above column " << i << " (" << cells[i - 1] << ", " << cells[i]
                      << ")\n";
            ++problems;
        }
    }
    return problems;
}

int write_grubbs(const std::filesystem::path& dir) {
    std::ostringstream out;
    out << "n,G 10%,G 7.5%,G 5%,G 2.5%,G 1%\n";
    int problems = 0;
    std::vector<double> previous;
    for (int n = 3; n <= 100; ++n) {
        std::vector<std::string> cells;
        std::vector<double> values;
        for (const double a : kGrubbsLevels) {
            values.push_back(grubbs_critical(n, a));
            cells.push_back(fixed(values.back(), 4));
        }
        problems += check_increasing("grubbs", n, cells);
        for (std::size_t i = 0; i < previous.size(); ++i) {
            if (!(values[i] > previous[i])) {
                std::cerr << "WARNING: grubbs column " << i + 2 << " does not grow at n=" << n
                          << "\n";
                ++problems;
            }
        }
        previous = values;
        out << n;
        for (const auto& c : cells) out << ',' << c;
        out << '\n';
    }
    // Where the closed formula is exact: no two values of one sample can both exceed C.
    for (std::size_t i = 0; i < kGrubbsLevels.size(); ++i) {
        int last_exact = 2;
        for (int n = 3; n <= 100; ++n) {
            if (grubbs_critical(n, kGrubbsLevels[i]) >= grubbs_two_extremes_bound(n)) {
                last_exact = n;
            } else {
                break;
            }
        }
        std::cerr << "grubbs " << fixed(100 * kGrubbsLevels[i], 1)
                  << "%: exact for n <= " << last_exact << ", upper bound beyond\n";
    }
    write_file(dir / "grubbs.dat", out.str());
    return problems;
}

void write_gauss(const std::filesystem::path& dir) {
    std::ostringstream out;
    out << "n,g 5%\n";
    for (int n = 3; n <= 50; ++n)
        out << n << ',' << fixed(gauss_g_critical(n, kGaussLevel), 4) << '\n';
    write_file(dir / "gauss-g.dat", out.str());
}

int write_dixon(const std::filesystem::path& dir, std::uint64_t samples, std::uint64_t seed) {
    std::cerr << "dixon: " << samples << " samples per n, master seed " << seed << "\n";
    const auto start = std::chrono::steady_clock::now();
    std::ostringstream out;
    out << "n,r 10% x1000,r 5% x1000,r 2% x1000,r 1% x1000,r 0.5% x1000\n";
    int problems = 0;
    double max_se = 0.0;
    double max_budget = 0.0;  // |rounded - estimate| + 2 SE
    int max_se_n = 0;
    double max_se_level = 0.0;
    for (int n = 3; n <= 25; ++n) {
        const DixonRun run = simulate_dixon(n, samples, seed, kDixonLevels);
        std::vector<std::string> cells;
        std::fprintf(stderr, "dixon n=%2d  seed %016llx  %7.1f s ", n,
                     static_cast<unsigned long long>(run.seed), run.seconds);
        for (const auto& q : run.quantiles) {
            const long rounded = std::lround(q.value * 1000.0);
            cells.push_back(std::to_string(rounded));
            const double budget = std::abs(rounded / 1000.0 - q.value) + 2.0 * q.std_error;
            if (q.std_error > max_se) {
                max_se = q.std_error;
                max_se_n = n;
                max_se_level = q.level;
            }
            max_budget = std::max(max_budget, budget);
            std::fprintf(stderr, " %.5f(%.6f)", q.value, q.std_error);
            if (rounded <= 0 || rounded >= 1000) {
                std::cerr << "\nWARNING: dixon value out of (0, 1000)";
                ++problems;
            }
            if (n == 3) {
                // Exact distribution for three values: report the deviation in standard errors.
                const double exact = dixon_n3_exact(q.level);
                std::fprintf(stderr, "[exact %.5f, %+.1f se]", exact,
                             (q.value - exact) / q.std_error);
            }
        }
        std::fprintf(stderr, "\n");
        problems += check_increasing("dixon", n, cells);
        out << n;
        for (const auto& c : cells) out << ',' << c;
        out << '\n';
    }
    const double total =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr,
                 "dixon: %.1f s in all; largest standard error %.6f (n=%d, level %.3f); "
                 "largest |rounding| + 2 se = %.6f\n",
                 total, max_se, max_se_n, max_se_level, max_budget);
    if (max_budget > 0.001) {
        std::cerr << "WARNING: rounding plus two standard errors exceeds 0.001; "
                     "use more samples\n";
        ++problems;
    }
    write_file(dir / "dixon.dat", out.str());
    return problems;
}

// A probability with seven decimals, trailing zeros dropped ("0.05", "1", "0").
std::string probability(double p) {
    std::string text = fixed(p, 7);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

// dixon-p.dat: one record per n = 3..25, n then P(R > r) at r = 0, 0.001, ..., 1.
int write_dixon_p(const std::filesystem::path& dir, std::uint64_t samples, std::uint64_t seed) {
    std::cerr << "dixon-p: " << samples << " samples per n, master seed " << seed << "\n";
    const auto start = std::chrono::steady_clock::now();
    std::ostringstream out;
    out << "n; then P(R > r) for r = 0.000 to 1.000 in steps of 0.001; " << samples
        << " normal samples per n; master seed " << seed << "\n";
    int problems = 0;
    double max_se = 0.0, max_n3_error = 0.0;
    for (int n = 3; n <= 25; ++n) {
        const DixonTail tail = simulate_dixon_tail(n, samples, seed, kDixonPSteps);
        out << n;
        for (std::size_t k = 0; k < tail.above.size(); ++k) {
            out << ',' << probability(tail.above[k]);
            max_se = std::max(max_se, tail.std_error[k]);
            if (n == 3) {
                // Exact for three values: P(r > x) = (3/pi) atan(sqrt(3) (1 - x) / (1 + x)).
                const double x = static_cast<double>(k) / kDixonPSteps;
                const double exact =
                    3.0 / std::numbers::pi * std::atan(std::sqrt(3.0) * (1.0 - x) / (1.0 + x));
                max_n3_error = std::max(max_n3_error, std::abs(tail.above[k] - exact));
            }
        }
        out << '\n';
        std::fprintf(stderr, "dixon-p n=%2d  seed %016llx  %7.1f s\n", n,
                     static_cast<unsigned long long>(tail.seed), tail.seconds);
    }
    const double total =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr,
                 "dixon-p: %.1f s in all; largest standard error %.7f; n=3 largest deviation "
                 "from the exact tail %.7f\n",
                 total, max_se, max_n3_error);
    if (max_se > 0.0005) {
        std::cerr << "WARNING: a standard error above 0.0005; use more samples\n";
        ++problems;
    }
    write_file(dir / "dixon-p.dat", out.str());
    return problems;
}

}  // namespace

int main(int argc, char** argv) {
    const Options opt = parse_args(argc, argv);
    std::error_code ec;
    std::filesystem::create_directories(opt.out_dir, ec);
    if (ec) {
        std::cerr << "make_tables: cannot create " << opt.out_dir << ": " << ec.message() << "\n";
        return 1;
    }
    int problems = write_grubbs(opt.out_dir);
    write_gauss(opt.out_dir);
    if (opt.dixon_samples > 0) {
        problems += write_dixon(opt.out_dir, opt.dixon_samples, opt.seed);
    } else {
        std::cerr << "dixon: skipped\n";
    }
    if (opt.dixon_p_samples > 0)
        problems += write_dixon_p(opt.out_dir, opt.dixon_p_samples, opt.dixon_p_seed);
    if (problems > 0) {
        std::cerr << "make_tables: " << problems << " problem(s), see warnings above\n";
        return 1;
    }
    return 0;
}
