#pragma once
#include <cstdint>

namespace zel::content {

// Deterministic pseudo-random values for painting textures: the same
// arguments give the same value on every machine and every run, so the
// generated pictures never change between builds.

// A value in [0, 1) for the lattice point (x, y) of stream `seed`.
double Hash01(int x, int y, std::uint32_t seed);

// Smooth value noise in [0, 1) at (x, y), lattice spacing 1, repeating
// every `periodX` by `periodY` lattice cells so that a texture painted
// with it tiles without seams.
double ValueNoise(double x, double y, int periodX, int periodY, std::uint32_t seed);

}  // namespace zel::content
