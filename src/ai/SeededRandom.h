#pragma once
#include <cmath>
#include <cstdint>

namespace zel::ai {

// The computer player's only source of chance: a small generator of its own
// (splitmix64), so that a seed gives the same strikes in every build and on
// every run, and no library's distribution can change them.
class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1), 53 bits.
    double Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

    // Standard normal (Box-Muller, one value per call).
    double Normal() {
        const double u1 = 1.0 - Uniform();  // (0, 1]: the logarithm stays finite
        const double u2 = Uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
    }

    // Two numbers folded into one seed: a run's seed and a match or turn number.
    static std::uint64_t Mix(std::uint64_t a, std::uint64_t b) {
        SeededRandom r(a ^ (b * 0xD1B54A32D192ED03ull + 0x8CB92BA72F3D8DD7ull));
        return r.Next();
    }

private:
    std::uint64_t state_;
};

}  // namespace zel::ai
