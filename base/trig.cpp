#include "base/trig.h"

#include <cfloat>
#include <cstdint>
#include <cstring>
#include <limits>

// Everything below is IEEE 754 double arithmetic, each operation rounded once to nearest, and the
// proofs in the comments count on it: no x87 extended precision, no -ffast-math reassociation.
// Contraction into fused multiply-adds is switched off for this file (CMakeLists.txt, and the
// pragma for clang), but the result would not change with it either: the products that must be
// exact are exact, and every rounded step only gets more accurate when fused, which the error
// bounds below already allow for. The answer is the correctly rounded value, which is one number.
#if !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0
#error "base/trig.cpp needs floats and doubles evaluated in their own precision (SSE, not x87)"
#endif
#if defined(__FAST_MATH__)
#error "base/trig.cpp relies on IEEE rounding of every operation: build it without -ffast-math"
#endif
#if defined(__clang__)
#pragma clang fp contract(off)
#endif
static_assert(std::numeric_limits<double>::is_iec559 && std::numeric_limits<float>::is_iec559,
              "IEEE 754 binary32 and binary64 arithmetic");
static_assert(std::numeric_limits<double>::digits == 53 && std::numeric_limits<float>::digits == 24,
              "binary32 and binary64 significands");

namespace {

// ---------------------------------------------------------------------------------------------
// Argument reduction: x = k (pi/2) + r with |r| <= pi/4 (a hair more when x (2/pi) lies within
// rounding of a half-integer; the polynomials hold to 0.7854 + 1e-9 either way).
//
// pi/2 is cut into pieces of at most 28 significant bits, so that k (below 2^25, at most 25 bits)
// times a piece is exact in a double. x - k * kHalfPi1 is exact as well: both are multiples of
// 2^-27 (x >= pi/4 when k >= 1, and kHalfPi1 is a multiple of 2^-27) and the difference is below
// 2 in magnitude. The pieces sum to pi/2 within 1.7e-52.

constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
// Adding and then subtracting 1.5 * 2^52 rounds a double below 2^51 to the nearest integer.
constexpr double kRoundingShift = 0x1.8p52;

constexpr double kHalfPi1 = 0x1.921fb54p+0;
constexpr double kHalfPi2 = 0x1.10b4612p-30;
constexpr double kHalfPi3 = -0x1.676733ap-60;
constexpr double kHalfPi4 = -0x1.d1fc8f8p-89;
constexpr double kHalfPi5 = -0x1.976b7ed8fbbadp-118;
// pi/2 - kHalfPi1 - kHalfPi2 rounded to a double (within 4.4e-35), for the fast reduction.
constexpr double kHalfPi3Rounded = -0x1.676733ae8fe48p-60;

// 1/n! for n = 0 to 28, each as a pair hi + lo with hi the nearest double and lo the nearest
// double to what is left (so the pair holds the value to about 2^-106 relative).
struct DoubleDouble {
    double hi;
    double lo;
};

constexpr DoubleDouble kInverseFactorial[] = {
    {0x1p+0, 0.0},
    {0x1p+0, 0.0},
    {0x1p-1, 0.0},
    {0x1.5555555555555p-3, 0x1.5555555555555p-57},
    {0x1.5555555555555p-5, 0x1.5555555555555p-59},
    {0x1.1111111111111p-7, 0x1.1111111111111p-63},
    {0x1.6c16c16c16c17p-10, -0x1.f49f49f49f49fp-65},
    {0x1.a01a01a01a01ap-13, 0x1.a01a01a01a01ap-73},
    {0x1.a01a01a01a01ap-16, 0x1.a01a01a01a01ap-76},
    {0x1.71de3a556c734p-19, -0x1.c154f8ddc6c00p-73},
    {0x1.27e4fb7789f5cp-22, 0x1.cbbc05b4fa99ap-76},
    {0x1.ae64567f544e4p-26, -0x1.c062e06d1f209p-80},
    {0x1.1eed8eff8d898p-29, -0x1.2aec959e14c06p-83},
    {0x1.6124613a86d09p-33, 0x1.f28e0cc748ebep-87},
    {0x1.93974a8c07c9dp-37, 0x1.05d6f8a2efd1fp-92},
    {0x1.ae7f3e733b81fp-41, 0x1.1d8656b0ee8cbp-97},
    {0x1.ae7f3e733b81fp-45, 0x1.1d8656b0ee8cbp-101},
    {0x1.952c77030ad4ap-49, 0x1.ac981465ddc6cp-103},
    {0x1.6827863b97d97p-53, 0x1.eec01221a8b0bp-107},
    {0x1.2f49b46814157p-57, 0x1.2650f61dbdcb4p-112},
    {0x1.e542ba4020225p-62, 0x1.ea72b4afe3c2fp-120},
    {0x1.71b8ef6dcf572p-66, -0x1.d043ae40c4647p-120},
    {0x1.0ce396db7f853p-70, -0x1.aebcdbd20331cp-124},
    {0x1.761b41316381ap-75, -0x1.3423c7d91404fp-130},
    {0x1.f2cf01972f578p-80, -0x1.9ada5fcc1ab14p-135},
    {0x1.3f3ccdd165fa9p-84, -0x1.58ddadf344487p-139},
    {0x1.88e85fc6a4e5ap-89, -0x1.71c37ebd16540p-143},
    {0x1.d1ab1c2dccea3p-94, 0x1.054d0c78aea14p-149},
    {0x1.0a18a2635085dp-98, 0x1.b9e2e28e1aa54p-153},
};

// The Taylor series to these orders leave at most 2^-62 (fast) and 2^-110 (slow) of the value
// behind on |r| <= 0.7854.
constexpr int kFastSineOrder = 17;
constexpr int kFastCosineOrder = 18;
constexpr int kSlowSineOrder = 27;
constexpr int kSlowCosineOrder = 28;

// Which function of r a quadrant of x needs, and with which sign.
struct QuadrantRule {
    bool useCosine;
    bool negate;
};

// sin(x) by k mod 4: sin r, cos r, -sin r, -cos r. cos(x) is sin(x + pi/2): the next quadrant.
constexpr QuadrantRule kSineRule[4] = {{false, false}, {true, false}, {false, true}, {true, true}};

// ---------------------------------------------------------------------------------------------
// The fast path: everything in doubles.
//
// Error of the reduced argument: kd * kHalfPi2 is exact, the subtraction from the exact r0
// rounds by at most 2^-53 |r1| with |r1| <= |r| + 2^-34; kd * kHalfPi3Rounded rounds by at most
// 2^-88; the last subtraction by 2^-53 |r|; the pieces miss pi/2 by 4.4e-35, times k below 2^25
// at most 2^-89. In all |r' - r| <= 2^-52 |r| + 2^-86, and r' = r exactly when k = 0.
//
// The series in z = r'^2 by Horner, each coefficient a rounded 1/n!: sin r' = r' + r' (z p) with
// |z p| <= 0.103, cos r' = 1 + z q with |z q| <= 0.309 and cos r' >= 0.707; every partial sum is
// dominated by its constant, so p and q come out within 2^-50 relative, and the result y within
// 2^-51.5 |y|. The reduction error moves sin by at most |r' - r| <= 2^-51.8 |y| + 2^-86 (since
// |sin r| >= 0.9 |r|) and cos by at most 0.71 |r' - r| <= 2^-52.3 |y|. So
//     |y - exact| <= 2^-49 |y| + 2^-86 (the last term only when k != 0),
// and kFastRelativeBound and kFastAbsoluteBound below claim 8 and 4 times as much.

constexpr double kFastRelativeBound = 0x1p-46;
constexpr double kFastAbsoluteBound = 0x1p-84;

struct Reduction {
    double k;
    int quadrant;
    double r;
};

Reduction reduceFast(double x) {
    const double k = (x * kTwoOverPi + kRoundingShift) - kRoundingShift;
    const double r0 = x - k * kHalfPi1;
    const double r1 = r0 - k * kHalfPi2;
    const double r = r1 - k * kHalfPi3Rounded;
    return {k, static_cast<int>(k) & 3, r};
}

double sineSeries(double r) {
    const double z = r * r;
    double p = kInverseFactorial[kFastSineOrder].hi;
    for (int n = kFastSineOrder - 2, sign = -1; n >= 3; n -= 2, sign = -sign) {
        p = p * z + (sign > 0 ? kInverseFactorial[n].hi : -kInverseFactorial[n].hi);
    }
    // The loop ends on n = 3 with sign -1 applied: p = -1/6 + z/120 - ...
    return r + r * (z * p);
}

double cosineSeries(double r) {
    const double z = r * r;
    double q = -kInverseFactorial[kFastCosineOrder].hi;
    for (int n = kFastCosineOrder - 2, sign = 1; n >= 2; n -= 2, sign = -sign) {
        q = q * z + (sign > 0 ? kInverseFactorial[n].hi : -kInverseFactorial[n].hi);
    }
    return 1.0 + z * q;
}

// ---------------------------------------------------------------------------------------------
// The slow path, taken only when the fast result lies too near the midpoint between two floats
// to tell which side the exact value is on: the same reduction and series in double-double
// arithmetic (pairs hi + lo), good to about 2^-100 relative to |r| for the reduction and to
// 2^-100 for the series. Every product below that must be exact is exact (Dekker's method with
// Veltkamp's split: products of 26- and 27-bit halves).

DoubleDouble twoSum(double a, double b) {
    const double s = a + b;
    const double bPart = s - a;
    const double aPart = s - bPart;
    return {s, (a - aPart) + (b - bPart)};
}

// Needs |a| >= |b|.
DoubleDouble quickTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

DoubleDouble split(double a) {
    constexpr double kVeltkamp = 0x1p27 + 1.0;
    const double c = kVeltkamp * a;
    const double hi = c - (c - a);
    return {hi, a - hi};
}

DoubleDouble twoProduct(double a, double b) {
    const double p = a * b;
    const DoubleDouble as = split(a);
    const DoubleDouble bs = split(b);
    const double err = ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo;
    return {p, err};
}

DoubleDouble add(DoubleDouble a, double b) {
    const DoubleDouble s = twoSum(a.hi, b);
    return quickTwoSum(s.hi, s.lo + a.lo);
}

DoubleDouble add(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble s = twoSum(a.hi, b.hi);
    return quickTwoSum(s.hi, s.lo + (a.lo + b.lo));
}

DoubleDouble multiply(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble p = twoProduct(a.hi, b.hi);
    return quickTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

DoubleDouble negated(DoubleDouble a) {
    return {-a.hi, -a.lo};
}

DoubleDouble reduceSlow(double x, double k) {
    DoubleDouble r{x - k * kHalfPi1, 0.0};
    r = add(r, -(k * kHalfPi2));
    r = add(r, -(k * kHalfPi3));
    r = add(r, -(k * kHalfPi4));
    return add(r, -(k * kHalfPi5));
}

// Sum over j of (-1)^j z^j / (first + 2j)!, from the order `last` down.
DoubleDouble alternatingSeries(DoubleDouble z, int first, int last) {
    const bool lastNegative = ((last - first) / 2) % 2 != 0;
    DoubleDouble p = lastNegative ? negated(kInverseFactorial[last]) : kInverseFactorial[last];
    bool negative = !lastNegative;
    for (int n = last - 2; n >= first; n -= 2) {
        const DoubleDouble c = negative ? negated(kInverseFactorial[n]) : kInverseFactorial[n];
        p = add(multiply(p, z), c);
        negative = !negative;
    }
    return p;
}

DoubleDouble sineSeriesSlow(DoubleDouble r) {
    return multiply(alternatingSeries(multiply(r, r), 1, kSlowSineOrder), r);
}

DoubleDouble cosineSeriesSlow(DoubleDouble r) {
    return alternatingSeries(multiply(r, r), 0, kSlowCosineOrder);
}

// ---------------------------------------------------------------------------------------------
// Rounding to float.

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

// sin or cos (`cosine`) of x = `magnitude` > 0, correctly rounded, negated when `negate`.
float evaluate(float magnitude, bool cosine, bool negate) {
    const double x = magnitude;
    const Reduction reduced = reduceFast(x);
    const QuadrantRule rules = kSineRule[(reduced.quadrant + (cosine ? 1 : 0)) & 3];
    const double y = rules.useCosine ? cosineSeries(reduced.r) : sineSeries(reduced.r);
    const bool negative = ((y < 0.0) != rules.negate) != negate;
    const double a = y < 0.0 ? -y : y;

    // The float nearest to a, and its neighbour on a's other side: the exact value rounds to
    // one of the two, by which side of their midpoint it lies on.
    const float nearest = static_cast<float>(a);
    const double nearestValue = nearest;
    const float neighbour = floatOf(nearestValue <= a ? bitsOf(nearest) + 1 : bitsOf(nearest) - 1);
    const double midpoint = (nearestValue + static_cast<double>(neighbour)) * 0.5;
    const double gap = a > midpoint ? a - midpoint : midpoint - a;
    const double bound = kFastRelativeBound * a + (reduced.k != 0.0 ? kFastAbsoluteBound : 0.0);
    float result = nearest;
    if (gap <= bound) {
        const DoubleDouble r = reduceSlow(x, reduced.k);
        DoubleDouble exact = rules.useCosine ? cosineSeriesSlow(r) : sineSeriesSlow(r);
        if (exact.hi < 0.0) {
            exact = negated(exact);
        }
        // exact.hi lies within 2^-45 a of the midpoint, so their difference is exact and the
        // sum's sign is the sign of exact - midpoint.
        const double side = (exact.hi - midpoint) + exact.lo;
        const bool above = side > 0.0;
        const bool nearestIsAbove = nearestValue > midpoint;
        result = above == nearestIsAbove ? nearest : neighbour;
    }
    return negative ? -result : result;
}

bool inDomain(float magnitude) {
    // False for NaN as well.
    return magnitude < kTrigDomainLimit;
}

} // namespace

float gameSin(float x) {
    if (x == 0.0f) {
        return x; // keeps the sign of zero
    }
    const bool negative = x < 0.0f;
    const float magnitude = negative ? -x : x;
    if (!inDomain(magnitude)) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    return evaluate(magnitude, false, negative);
}

float gameCos(float x) {
    const float magnitude = x < 0.0f ? -x : x;
    if (magnitude == 0.0f) {
        return 1.0f;
    }
    if (!inDomain(magnitude)) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    return evaluate(magnitude, true, false);
}
