// Checks gameSin and gameCos against a higher-precision reference for every float from 0 up to
// the end of their domain, and counts how often the C library's sinf and cosf miss the correctly
// rounded value over the same floats. Negative arguments are checked against the positive ones
// (sin is odd, cos even, and so is correct rounding).
//
// The reference is the C library's long double sincosl (64-bit significand, within a couple of
// units of its last place). Where it lies within 2^-58 of the midpoint between two floats, so
// close that it cannot decide the rounding, MPFR decides at 200 bits. A sample of every 4096th
// float is also checked against MPFR, to catch a broken reference.
//
//     glimmerwake-trig-check [--threads N] [--from BITS] [--to BITS]
//
// BITS are the bit patterns of the first and one-past-last float (hexadecimal); the default
// range is every float in [0, 2^25).

#include "base/trig.h"
#include "entities/drifting.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mpfr.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

std::uint32_t bitsOf(float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

float floatOf(std::uint32_t u) {
    float f;
    std::memcpy(&f, &u, sizeof f);
    return f;
}

float mpfrRounded(float x, bool cosine) {
    mpfr_t a;
    mpfr_t y;
    mpfr_init2(a, 200);
    mpfr_init2(y, 200);
    mpfr_set_flt(a, x, MPFR_RNDN);
    if (cosine) {
        mpfr_cos(y, a, MPFR_RNDN);
    } else {
        mpfr_sin(y, a, MPFR_RNDN);
    }
    const float f = mpfr_get_flt(y, MPFR_RNDN);
    mpfr_clear(a);
    mpfr_clear(y);
    return f;
}

// A case close to a tie: how far the exact value lies from the midpoint of its two floats, in
// units of their spacing (0 on the midpoint, 0.5 on a float).
struct HardCase {
    double distance;
    float x;
};

constexpr std::size_t kHardestKept = 8;

void keepHardest(std::vector<HardCase>& kept, HardCase c) {
    if (kept.size() == kHardestKept && c.distance >= kept.back().distance) {
        return;
    }
    kept.push_back(c);
    std::sort(kept.begin(), kept.end(),
              [](const HardCase& a, const HardCase& b) { return a.distance < b.distance; });
    if (kept.size() > kHardestKept) {
        kept.pop_back();
    }
}

struct Tally {
    std::uint64_t checked = 0;
    std::uint64_t gameWrong[2] = {0, 0};
    std::uint64_t libraryWrong[2] = {0, 0};
    std::uint64_t symmetryWrong = 0;
    std::uint64_t resolvedByMpfr = 0;
    std::uint64_t sampled = 0;
    std::uint64_t referenceWrong = 0;
    // The smallest |sin x| or |cos x| for x >= 1: how near a float comes to a multiple of pi/2.
    long double closestToQuarterTurn = 1.0L;
    float closestArgument = 0.0f;
    std::vector<HardCase> hardest[2];
    std::vector<float> gameFailures;

    void add(const Tally& t) {
        checked += t.checked;
        for (int i = 0; i < 2; ++i) {
            gameWrong[i] += t.gameWrong[i];
            libraryWrong[i] += t.libraryWrong[i];
            for (const HardCase& c : t.hardest[i]) {
                keepHardest(hardest[i], c);
            }
        }
        symmetryWrong += t.symmetryWrong;
        resolvedByMpfr += t.resolvedByMpfr;
        sampled += t.sampled;
        referenceWrong += t.referenceWrong;
        if (t.closestToQuarterTurn < closestToQuarterTurn) {
            closestToQuarterTurn = t.closestToQuarterTurn;
            closestArgument = t.closestArgument;
        }
        gameFailures.insert(gameFailures.end(), t.gameFailures.begin(), t.gameFailures.end());
    }
};

// The correctly rounded float of the value v (the reference for x), and how near it is to a tie.
float referenceRounded(long double v, float x, bool cosine, Tally& tally, double& distance) {
    const long double magnitude = std::fabs(v);
    const float nearest = static_cast<float>(magnitude);
    const long double nearestValue = nearest;
    const float neighbour =
        floatOf(nearestValue <= magnitude ? bitsOf(nearest) + 1 : bitsOf(nearest) - 1);
    const long double spacing = std::fabs(static_cast<long double>(neighbour) - nearestValue);
    const long double midpoint = (nearestValue + static_cast<long double>(neighbour)) / 2;
    const long double gap = std::fabs(magnitude - midpoint);
    distance = static_cast<double>(gap / spacing);
    if (gap <= std::ldexp(magnitude, -58)) {
        ++tally.resolvedByMpfr;
        return mpfrRounded(x, cosine);
    }
    return v < 0 ? -nearest : nearest;
}

bool same(float a, float b) {
    return bitsOf(a) == bitsOf(b);
}

void checkRange(std::uint32_t from, std::uint32_t to, Tally& tally) {
    for (std::uint32_t bits = from; bits < to; ++bits) {
        const float x = floatOf(bits);
        long double s;
        long double c;
        sincosl(static_cast<long double>(x), &s, &c);
        double distance[2];
        const float expected[2] = {referenceRounded(s, x, false, tally, distance[0]),
                                   referenceRounded(c, x, true, tally, distance[1])};
        const float game[2] = {gameSin(x), gameCos(x)};
        const float library[2] = {sinf(x), cosf(x)};
        for (int i = 0; i < 2; ++i) {
            if (!same(game[i], expected[i])) {
                ++tally.gameWrong[i];
                if (tally.gameFailures.size() < 20) {
                    tally.gameFailures.push_back(x);
                }
            }
            if (!same(library[i], expected[i])) {
                ++tally.libraryWrong[i];
            }
            keepHardest(tally.hardest[i], {distance[i], x});
        }
        if (!same(gameSin(-x), -game[0]) || !same(gameCos(-x), game[1])) {
            ++tally.symmetryWrong;
        }
        if (x >= 1.0f) {
            const long double nearest = std::min(std::fabs(s), std::fabs(c));
            if (nearest < tally.closestToQuarterTurn) {
                tally.closestToQuarterTurn = nearest;
                tally.closestArgument = x;
            }
        }
        if (bits % 4096 == 0) {
            ++tally.sampled;
            if (!same(mpfrRounded(x, false), expected[0]) ||
                !same(mpfrRounded(x, true), expected[1])) {
                ++tally.referenceWrong;
            }
        }
        ++tally.checked;
    }
}

// Every argument a drifting enemy can steer by: whole degrees h from 0 to 2^30 (a heading cannot
// fall further: at -2^30 and below, half a float's spacing is 64, more than the largest step of
// 32.7665), each as the float headingInRadians gives. Counts the distinct arguments and the
// library's misses.
void checkHeadings() {
    std::uint64_t arguments = 0;
    std::uint64_t gameWrong = 0;
    std::uint64_t libraryWrong = 0;
    Tally scratch;
    float previous = -1.0f;
    float largest = 0.0f;
    // Every whole number to 2^24, then every float (all of them whole) to 2^30.
    for (float h = 0.0f; h <= 1073741824.0f;
         h = h < 16777216.0f ? h + 1.0f : floatOf(bitsOf(h) + 1)) {
        const float a = headingInRadians(h);
        if (a == previous) {
            continue;
        }
        previous = a;
        largest = a;
        ++arguments;
        long double s;
        long double c;
        sincosl(static_cast<long double>(a), &s, &c);
        double distance;
        const float expectedSin = referenceRounded(s, a, false, scratch, distance);
        const float expectedCos = referenceRounded(c, a, true, scratch, distance);
        gameWrong += !same(gameSin(a), expectedSin) + !same(gameCos(a), expectedCos);
        libraryWrong += !same(sinf(a), expectedSin) + !same(cosf(a), expectedCos);
    }
    std::printf("headings: %llu distinct arguments from 0 to %.9g; gameSin/gameCos wrong %llu, "
                "sinf/cosf wrong %llu (of %llu results)\n",
                static_cast<unsigned long long>(arguments), largest,
                static_cast<unsigned long long>(gameWrong),
                static_cast<unsigned long long>(libraryWrong),
                static_cast<unsigned long long>(2 * arguments));
}

void printHardest(const char* name, const std::vector<HardCase>& cases, bool cosine) {
    std::printf("hardest %s cases (distance from a tie in units of float spacing):\n", name);
    for (const HardCase& c : cases) {
        const float f = mpfrRounded(c.x, cosine);
        std::printf("    x = %a (0x%08x): %.3e, rounds to %a (0x%08x)\n", c.x, bitsOf(c.x),
                    c.distance, f, bitsOf(f));
    }
}

std::uint32_t parseBits(const char* text) {
    return static_cast<std::uint32_t>(std::strtoul(text, nullptr, 16));
}

} // namespace

int main(int argc, char** argv) {
    unsigned threads = 1;
    std::uint32_t from = 0;
    std::uint32_t to = bitsOf(kTrigDomainLimit);
    bool headings = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--threads" && i + 1 < argc) {
            threads = static_cast<unsigned>(std::atoi(argv[++i]));
        } else if (arg == "--from" && i + 1 < argc) {
            from = parseBits(argv[++i]);
            headings = false;
        } else if (arg == "--to" && i + 1 < argc) {
            to = parseBits(argv[++i]);
            headings = false;
        } else {
            std::fprintf(stderr, "usage: %s [--threads N] [--from BITS] [--to BITS]\n", argv[0]);
            return 2;
        }
    }
    threads = std::max(1u, threads);

    const auto start = std::chrono::steady_clock::now();
    Tally total;
    std::mutex totalLock;
    std::vector<std::thread> workers;
    // Interleaved blocks, so that the threads share the expensive large arguments.
    constexpr std::uint32_t kBlock = 1u << 20;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            Tally tally;
            for (std::uint64_t begin = from + std::uint64_t{t} * kBlock; begin < to;
                 begin += std::uint64_t{threads} * kBlock) {
                const std::uint64_t end = std::min<std::uint64_t>(begin + kBlock, to);
                checkRange(static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(end),
                           tally);
            }
            const std::lock_guard<std::mutex> lock(totalLock);
            total.add(tally);
        });
    }
    for (std::thread& w : workers) {
        w.join();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf("floats %a to %a: %llu checked (and their negatives), %.0f s on %u thread(s)\n",
                floatOf(from), floatOf(to - 1), static_cast<unsigned long long>(total.checked),
                seconds, threads);
    std::printf("gameSin wrong: %llu, gameCos wrong: %llu, sign symmetry broken: %llu\n",
                static_cast<unsigned long long>(total.gameWrong[0]),
                static_cast<unsigned long long>(total.gameWrong[1]),
                static_cast<unsigned long long>(total.symmetryWrong));
    std::printf("C library sinf wrong: %llu, cosf wrong: %llu\n",
                static_cast<unsigned long long>(total.libraryWrong[0]),
                static_cast<unsigned long long>(total.libraryWrong[1]));
    std::printf("reference too near a tie, decided by MPFR: %llu; sampled against MPFR: %llu, "
                "reference wrong: %llu\n",
                static_cast<unsigned long long>(total.resolvedByMpfr),
                static_cast<unsigned long long>(total.sampled),
                static_cast<unsigned long long>(total.referenceWrong));
    std::printf("closest float >= 1 to a multiple of pi/2: %a, |r| = %.3Le (2^%.1f)\n",
                total.closestArgument, total.closestToQuarterTurn,
                std::log2(static_cast<double>(total.closestToQuarterTurn)));
    printHardest("sin", total.hardest[0], false);
    printHardest("cos", total.hardest[1], true);
    for (float x : total.gameFailures) {
        std::printf("    wrong: x = %a (0x%08x)\n", x, bitsOf(x));
    }
    if (headings) {
        checkHeadings();
    }
    const bool ok = total.gameWrong[0] == 0 && total.gameWrong[1] == 0 &&
                    total.symmetryWrong == 0 && total.referenceWrong == 0;
    std::printf("%s\n", ok ? "OK" : "FAILED");
    return ok ? 0 : 1;
}
