// Compares, for every float of the domain, gameSin and gameCos built without contraction with a
// second copy of them built with fused multiply-adds wherever the compiler likes, and counts the
// results that differ. Built by hand (see docs/trig.md): the second copy's functions are renamed
// with -DgameSin=gameSinFused -DgameCos=gameCosFused.
#include "base/trig.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>

float gameSinFused(float x);
float gameCosFused(float x);

namespace {

std::uint32_t bitsOf(float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

} // namespace

int main() {
    const auto start = std::chrono::steady_clock::now();
    std::uint64_t differ = 0;
    std::uint64_t checked = 0;
    for (std::uint32_t bits = 0; bits < bitsOf(kTrigDomainLimit); ++bits) {
        float x;
        std::memcpy(&x, &bits, sizeof x);
        differ += bitsOf(gameSin(x)) != bitsOf(gameSinFused(x));
        differ += bitsOf(gameCos(x)) != bitsOf(gameCosFused(x));
        ++checked;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%llu floats, %llu results differ between the two builds, %.0f s\n",
                static_cast<unsigned long long>(checked), static_cast<unsigned long long>(differ),
                seconds);
    return differ == 0 ? 0 : 1;
}
