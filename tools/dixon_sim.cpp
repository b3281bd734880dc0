#include "dixon_sim.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "random.h"

namespace sifton::tools {
namespace {

// The ratios lie in [0, 1]. A histogram of 2^16 bins (width 1.5e-5) with linear interpolation
// inside a bin resolves quantiles far below the sampling error, and its 512 KiB stay in cache.
constexpr std::size_t kBins = std::size_t{1} << 16;

std::size_t bin_of(double r) {
    const auto b = static_cast<std::size_t>(r * static_cast<double>(kBins));
    return std::min(b, kBins - 1);
}

// x such that a fraction p of the `total` counted values lies above x (linear inside a bin).
double upper_quantile(const std::vector<std::uint64_t>& hist, double total, double p) {
    p = std::clamp(p, 0.0, 1.0);
    const double target = p * total;
    double above = 0.0;
    for (std::size_t b = kBins; b-- > 0;) {
        const double c = static_cast<double>(hist[b]);
        if (c > 0.0 && above + c >= target) {
            const double inside = (target - above) / c;
            return (static_cast<double>(b) + 1.0 - inside) / static_cast<double>(kBins);
        }
        above += c;
    }
    return 0.0;
}

// Number of counted values above x (the bin holding x is taken in proportion).
double count_above(const std::vector<std::uint64_t>& hist, double x) {
    const std::size_t bx = bin_of(x);
    double n = 0.0;
    for (std::size_t b = bx + 1; b < kBins; ++b) n += static_cast<double>(hist[b]);
    const double upper_edge = static_cast<double>(bx + 1) / static_cast<double>(kBins);
    n += static_cast<double>(hist[bx]) * (upper_edge - x) * static_cast<double>(kBins);
    return n;
}

// Draws `samples` sets of n standard normal values from the stream `seed` and hands the ratio
// of the largest and the ratio of the smallest value of each set to `use(high, low)`. Only the
// three largest and three smallest values of a set are kept; no set is sorted.
template <typename Use>
void for_each_sample_ratios(int n, std::uint64_t samples, std::uint64_t seed, Use use) {
    const DixonRatioShape shape = dixon_shape(n);
    NormalSource normal(seed);
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const int gap = shape.gap;
    const int far = shape.far;
    for (std::uint64_t i = 0; i < samples; ++i) {
        // top[k]: (k+1)-th largest, bot[k]: (k+1)-th smallest.
        double top[3] = {-kInf, -kInf, -kInf};
        double bot[3] = {kInf, kInf, kInf};
        for (int j = 0; j < n; ++j) {
            const double x = normal.next();
            if (x > top[2]) {
                if (x > top[1]) {
                    top[2] = top[1];
                    if (x > top[0]) {
                        top[1] = top[0];
                        top[0] = x;
                    } else {
                        top[1] = x;
                    }
                } else {
                    top[2] = x;
                }
            }
            if (x < bot[2]) {
                if (x < bot[1]) {
                    bot[2] = bot[1];
                    if (x < bot[0]) {
                        bot[1] = bot[0];
                        bot[0] = x;
                    } else {
                        bot[1] = x;
                    }
                } else {
                    bot[2] = x;
                }
            }
        }
        use((top[0] - top[gap]) / (top[0] - bot[far]), (bot[gap] - bot[0]) / (top[far] - bot[0]));
    }
}

}  // namespace

DixonRatioShape dixon_shape(int n) {
    if (n < 3 || n > 25) throw std::out_of_range("Dixon ratios are defined for n = 3..25");
    if (n <= 7) return {1, 0};
    if (n <= 10) return {1, 1};
    if (n <= 13) return {2, 1};
    return {2, 2};
}

std::uint64_t dixon_stream_seed(std::uint64_t master_seed, int n) {
    SplitMix64 sm(master_seed ^ (0xd1b54a32d192ed03ULL * static_cast<std::uint64_t>(n)));
    return sm.next();
}

DixonRun simulate_dixon(int n, std::uint64_t samples, std::uint64_t master_seed,
                        std::span<const double> levels) {
    const auto start = std::chrono::steady_clock::now();

    DixonRun run;
    run.n = n;
    run.samples = samples;
    run.seed = dixon_stream_seed(master_seed, n);

    std::vector<std::uint64_t> pooled(kBins, 0);  // ratio of the largest and of the smallest
    std::vector<std::uint64_t> lesser(kBins, 0);  // min of the two ratios of one sample
    for_each_sample_ratios(n, samples, run.seed, [&](double high, double low) {
        ++pooled[bin_of(high)];
        ++pooled[bin_of(low)];
        ++lesser[bin_of(std::min(high, low))];
    });

    // Per sample, Y = [high > q] + [low > q] has mean 2p and variance 2p + 2b - 4p^2, with
    // b = P(both > q). The pooled tail fraction therefore has variance (2p + 2b - 4p^2)/(4N).
    // The standard error of the quantile is half the width of the order-statistic interval
    // [Q(p + sd), Q(p - sd)].
    const double total = 2.0 * static_cast<double>(samples);
    const double n_sets = static_cast<double>(samples);
    for (const double p : levels) {
        const double q = upper_quantile(pooled, total, p);
        const double b = count_above(lesser, q) / n_sets;
        const double var_y = std::max(2.0 * p + 2.0 * b - 4.0 * p * p, 0.0);
        const double sd = std::sqrt(var_y / (4.0 * n_sets));
        const double q_low = upper_quantile(pooled, total, p + sd);
        const double q_high = upper_quantile(pooled, total, p - sd);
        run.quantiles.push_back({p, q, 0.5 * (q_high - q_low)});
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return run;
}

DixonTail simulate_dixon_tail(int n, std::uint64_t samples, std::uint64_t master_seed, int steps) {
    if (steps < 1) throw std::invalid_argument("the grid needs at least one step");
    const auto start = std::chrono::steady_clock::now();
    DixonTail tail;
    tail.n = n;
    tail.samples = samples;
    tail.seed = dixon_stream_seed(master_seed, n);

    // Bin k holds the ratios in [k/steps, (k+1)/steps); a ratio of exactly 1 joins the last bin.
    const auto size = static_cast<std::size_t>(steps);
    auto bin = [&](double r) {
        return std::min(static_cast<std::size_t>(r * static_cast<double>(steps)), size - 1);
    };
    std::vector<std::uint64_t> pooled(size, 0), lesser(size, 0);
    for_each_sample_ratios(n, samples, tail.seed, [&](double high, double low) {
        ++pooled[bin(high)];
        ++pooled[bin(low)];
        ++lesser[bin(std::min(high, low))];
    });

    // P(R > k/steps) is the share of the bins from k up (a ratio exactly on a grid point has
    // probability 0). Its variance is that of the quantiles above: (2p + 2b - 4p^2)/(4N).
    const double n_sets = static_cast<double>(samples);
    tail.above.assign(size + 1, 0.0);
    tail.std_error.assign(size + 1, 0.0);
    std::uint64_t above = 0, both = 0;
    for (std::size_t k = size; k-- > 0;) {
        above += pooled[k];
        both += lesser[k];
        const double p = static_cast<double>(above) / (2.0 * n_sets);
        const double b = static_cast<double>(both) / n_sets;
        tail.above[k] = p;
        tail.std_error[k] =
            std::sqrt(std::max(2.0 * p + 2.0 * b - 4.0 * p * p, 0.0) / (4.0 * n_sets));
    }
    tail.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return tail;
}

}  // namespace sifton::tools
