#include "Noise.h"

#include <cmath>

namespace zel::content {
namespace {

// A 32-bit integer mix with full avalanche: neighbouring lattice points get
// unrelated values.
std::uint32_t Mix(std::uint32_t h) {
    h ^= h >> 16;
    h *= 0x7feb352dU;
    h ^= h >> 15;
    h *= 0x846ca68bU;
    h ^= h >> 16;
    return h;
}

int Wrap(int v, int period) {
    const int m = v % period;
    return m < 0 ? m + period : m;
}

double Smooth(double t) { return t * t * (3 - 2 * t); }

}  // namespace

double Hash01(int x, int y, std::uint32_t seed) {
    const std::uint32_t h = Mix(static_cast<std::uint32_t>(x) * 0x9E3779B1U ^ Mix(static_cast<std::uint32_t>(y) + seed * 0x85EBCA77U));
    return (h >> 8) * (1.0 / 16777216.0);
}

double ValueNoise(double x, double y, int periodX, int periodY, std::uint32_t seed) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const double tx = Smooth(x - fx);
    const double ty = Smooth(y - fy);
    const auto at = [&](int dx, int dy) { return Hash01(Wrap(x0 + dx, periodX), Wrap(y0 + dy, periodY), seed); };
    const double top = at(0, 0) + (at(1, 0) - at(0, 0)) * tx;
    const double bottom = at(0, 1) + (at(1, 1) - at(0, 1)) * tx;
    return top + (bottom - top) * ty;
}

}  // namespace zel::content
