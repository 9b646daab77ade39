#include "noise.h"

#include <cmath>

namespace {

std::uint32_t hash(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    std::uint32_t h = seed ^ 0x9E3779B9u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h *= 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x165667B1u;
    h ^= h >> 13;
    return h;
}

double lattice(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    return (hash(x, y, seed) & 0xFFFFFF) / double(0xFFFFFF);
}

double fade(double t) {
    return t * t * (3 - 2 * t);
}

} // namespace

double Random::uniform() {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) / double(1u << 24);
}

double valueNoise(double x, double y, std::uint32_t seed) {
    const double cellX = std::floor(x);
    const double cellY = std::floor(y);
    const auto ix = static_cast<std::int32_t>(cellX);
    const auto iy = static_cast<std::int32_t>(cellY);
    const double tx = fade(x - cellX);
    const double ty = fade(y - cellY);
    const double top =
        lattice(ix, iy, seed) + (lattice(ix + 1, iy, seed) - lattice(ix, iy, seed)) * tx;
    const double bottom = lattice(ix, iy + 1, seed) +
                          (lattice(ix + 1, iy + 1, seed) - lattice(ix, iy + 1, seed)) * tx;
    return top + (bottom - top) * ty;
}

double fractalNoise(double x, double y, int octaves, std::uint32_t seed) {
    double sum = 0;
    double weight = 0;
    double amplitude = 1;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += amplitude * valueNoise(x, y, seed + 7919u * octave);
        weight += amplitude;
        amplitude *= 0.5;
        x *= 2.03;
        y *= 2.03;
    }
    return sum / weight;
}

double smoothstep(double edge0, double edge1, double x) {
    double t = (x - edge0) / (edge1 - edge0);
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return t * t * (3 - 2 * t);
}
