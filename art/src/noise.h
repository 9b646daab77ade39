#pragma once

#include <cstdint>

// Repeatable randomness: every picture draws its scatter (sparks, stars, soot) from a fixed seed,
// so a rebuild gives the same bytes.
class Random {
  public:
    explicit Random(std::uint32_t seed) : state(seed) {}
    double uniform(); // in [0, 1)
    double range(double low, double high) { return low + (high - low) * uniform(); }

  private:
    std::uint32_t state;
};

// Smooth value noise in [0, 1], and its fractal sum over several octaves, also in [0, 1].
double valueNoise(double x, double y, std::uint32_t seed);
double fractalNoise(double x, double y, int octaves, std::uint32_t seed);

double smoothstep(double edge0, double edge1, double x);
