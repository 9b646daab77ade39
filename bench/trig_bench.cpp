// The rules' own sine and cosine against the C library's sinf and cosf, per call: on the angles
// the drifting enemies steer by, and on floats spread over the whole domain (large arguments
// cost the C library a longer reduction).
#include "base/trig.h"
#include "entities/drifting.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

std::vector<float> steeringAngles() {
    std::vector<float> angles;
    for (int h = 0; h < 360; ++h) {
        angles.push_back(headingInRadians(static_cast<float>(h)));
    }
    return angles;
}

std::vector<float> spreadOverTheDomain() {
    std::vector<float> xs;
    const float top = kTrigDomainLimit;
    std::uint32_t last;
    std::memcpy(&last, &top, sizeof last);
    for (std::uint32_t bits = 0; bits < last; bits += last / 4096) {
        float x;
        std::memcpy(&x, &bits, sizeof x);
        xs.push_back(x);
    }
    return xs;
}

template <float (*Function)(float)>
void perCall(benchmark::State& state, const std::vector<float>& xs) {
    for (auto _ : state) {
        for (const float x : xs) {
            benchmark::DoNotOptimize(Function(x));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * xs.size()));
}

float librarySin(float x) {
    return std::sin(x);
}
float libraryCos(float x) {
    return std::cos(x);
}

void trigSteering_gameSin(benchmark::State& s) {
    perCall<gameSin>(s, steeringAngles());
}
void trigSteering_sinf(benchmark::State& s) {
    perCall<librarySin>(s, steeringAngles());
}
void trigSteering_gameCos(benchmark::State& s) {
    perCall<gameCos>(s, steeringAngles());
}
void trigSteering_cosf(benchmark::State& s) {
    perCall<libraryCos>(s, steeringAngles());
}
void trigDomain_gameSin(benchmark::State& s) {
    perCall<gameSin>(s, spreadOverTheDomain());
}
void trigDomain_sinf(benchmark::State& s) {
    perCall<librarySin>(s, spreadOverTheDomain());
}

} // namespace

BENCHMARK(trigSteering_gameSin);
BENCHMARK(trigSteering_sinf);
BENCHMARK(trigSteering_gameCos);
BENCHMARK(trigSteering_cosf);
BENCHMARK(trigDomain_gameSin);
BENCHMARK(trigDomain_sinf);
