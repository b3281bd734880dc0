// Random numbers for the table generator: xoshiro256** seeded through splitmix64, and
// standard normal deviates by Marsaglia's polar method (an exact transform, no tables).
#pragma once

#include <cmath>
#include <cstdint>

namespace sifton::tools {

// splitmix64: used only to expand a 64-bit seed into a full xoshiro state.
class SplitMix64 {
  public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

  private:
    std::uint64_t state_;
};

class Xoshiro256StarStar {
  public:
    explicit Xoshiro256StarStar(std::uint64_t seed) {
        SplitMix64 sm(seed);
        for (auto& word : s_) word = sm.next();
    }

    std::uint64_t next() {
        const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
        const std::uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = rotl(s_[3], 45);
        return result;
    }

    // Uniform on [-1, 1) with 53 random bits.
    double symmetric_uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-52 - 1.0; }

  private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    std::uint64_t s_[4];
};

// Standard normal deviates by the polar method; each accepted point gives two.
class NormalSource {
  public:
    explicit NormalSource(std::uint64_t seed) : rng_(seed) {}

    double next() {
        if (has_spare_) {
            has_spare_ = false;
            return spare_;
        }
        double u, v, s;
        do {
            u = rng_.symmetric_uniform();
            v = rng_.symmetric_uniform();
            s = u * u + v * v;
        } while (s >= 1.0 || s == 0.0);
        const double f = std::sqrt(-2.0 * std::log(s) / s);
        spare_ = v * f;
        has_spare_ = true;
        return u * f;
    }

  private:
    Xoshiro256StarStar rng_;
    double spare_ = 0.0;
    bool has_spare_ = false;
};

}  // namespace sifton::tools
