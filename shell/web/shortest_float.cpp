#include "shell/web/float_to_chars.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A float needs at most 9 significant digits to be told apart from every other.
constexpr int kMaxDigits = 9;
// The two-digit least a scientific exponent is written with ("1e+05").
constexpr int kMinExponentDigits = 2;

// A decimal with `digits` significant digits: the value `mantissa` * 10^(exponent - digits + 1),
// so `exponent` is the power of ten of its first digit.
struct Decimal {
    long mantissa = 0;
    int digits = 0;
    int exponent = 0;
};

// The value rounded to `digits` significant digits, correctly (printf rounds the exact binary
// value, ties to even, as the shortest-text algorithms do).
Decimal rounded(double value, int digits) {
    char text[kShortestFloatBytes * 2];
    std::snprintf(text, sizeof text, "%.*e", digits - 1, value);
    Decimal decimal;
    decimal.digits = digits;
    const char* c = text;
    for (; *c != 'e'; ++c) {
        if (*c >= '0' && *c <= '9') {
            decimal.mantissa = decimal.mantissa * 10 + (*c - '0');
        }
    }
    decimal.exponent = std::atoi(c + 1);
    return decimal;
}

bool readsBackAs(const Decimal& decimal, float value) {
    char text[kShortestFloatBytes * 2];
    std::snprintf(text, sizeof text, "%lde%d", decimal.mantissa,
                  decimal.exponent - decimal.digits + 1);
    return std::strtof(text, nullptr) == value;
}

// The mantissa one step up or down, renormalised should it gain or lose a digit.
Decimal stepped(Decimal decimal, long step) {
    decimal.mantissa += step;
    long limit = 1;
    for (int i = 0; i < decimal.digits; ++i) {
        limit *= 10;
    }
    if (decimal.mantissa >= limit) {
        decimal.mantissa /= 10;
        decimal.exponent += 1;
    } else if (decimal.mantissa < limit / 10) {
        decimal.mantissa = decimal.mantissa * 10 + 9;
        decimal.exponent -= 1;
    }
    return decimal;
}

// The fewest digits that read back as `value` (positive and finite). The closest decimal of a
// length may fall just outside the values that read back (next to a power of two, where the gap
// below is half the gap above) while its neighbour on the other side of the value is inside.
Decimal shortestDecimal(float value) {
    for (int digits = 1; digits < kMaxDigits; ++digits) {
        const Decimal nearest = rounded(value, digits);
        if (readsBackAs(nearest, value)) {
            return nearest;
        }
        for (const long step : {-1L, 1L}) {
            const Decimal other = stepped(nearest, step);
            if (readsBackAs(other, value)) {
                return other;
            }
        }
    }
    return rounded(value, kMaxDigits);
}

// The significant digits without the zeros that end them.
Decimal trimmed(Decimal decimal) {
    while (decimal.digits > 1 && decimal.mantissa % 10 == 0) {
        decimal.mantissa /= 10;
        decimal.digits -= 1;
    }
    return decimal;
}

int decimalDigitsOf(int number) {
    int count = 1;
    for (; number >= 10; number /= 10) {
        ++count;
    }
    return count;
}

std::size_t scientificLength(const Decimal& d) {
    const int point = d.digits > 1 ? 1 : 0;
    const int exponentDigits = std::max(kMinExponentDigits, decimalDigitsOf(std::abs(d.exponent)));
    return static_cast<std::size_t>(d.digits + point + 2 + exponentDigits);
}

std::size_t fixedLength(const Decimal& d) {
    if (d.exponent < 0) {
        return static_cast<std::size_t>(2 - d.exponent - 1 + d.digits);
    }
    if (d.exponent >= d.digits - 1) {
        return static_cast<std::size_t>(d.exponent + 1);
    }
    return static_cast<std::size_t>(d.digits + 1);
}

std::size_t writeScientific(const Decimal& d, const char* digits, char* out) {
    std::size_t length = 0;
    out[length++] = digits[0];
    if (d.digits > 1) {
        out[length++] = '.';
        std::memcpy(out + length, digits + 1, static_cast<std::size_t>(d.digits - 1));
        length += static_cast<std::size_t>(d.digits - 1);
    }
    const int written =
        std::snprintf(out + length, kShortestFloatBytes - length, "e%c%0*d",
                      d.exponent < 0 ? '-' : '+', kMinExponentDigits, std::abs(d.exponent));
    return length + static_cast<std::size_t>(written);
}

// A whole number past the shortest digits is written in full, as it is, not padded with zeros:
// the same length, and the true value.
std::size_t writeFixed(const Decimal& d, const char* digits, float value, char* out) {
    std::size_t length = 0;
    if (d.exponent > d.digits - 1) {
        return static_cast<std::size_t>(
            std::snprintf(out, kShortestFloatBytes, "%.0f", static_cast<double>(value)));
    }
    if (d.exponent < 0) {
        out[length++] = '0';
        out[length++] = '.';
        for (int i = 0; i < -d.exponent - 1; ++i) {
            out[length++] = '0';
        }
        std::memcpy(out + length, digits, static_cast<std::size_t>(d.digits));
        return length + static_cast<std::size_t>(d.digits);
    }
    for (int i = 0; i < d.digits; ++i) {
        if (i == d.exponent + 1) {
            out[length++] = '.';
        }
        out[length++] = digits[i];
    }
    return length;
}

} // namespace

std::size_t formatShortestFloat(float value, char* out) {
    std::size_t length = 0;
    if (std::signbit(value)) {
        out[length++] = '-';
    }
    const float magnitude = std::fabs(value);
    if (std::isnan(value)) {
        std::memcpy(out + length, "nan", 3);
        return length + 3;
    }
    if (std::isinf(value)) {
        std::memcpy(out + length, "inf", 3);
        return length + 3;
    }
    if (magnitude == 0.0f) {
        out[length++] = '0';
        return length;
    }
    const Decimal d = trimmed(shortestDecimal(magnitude));
    char digits[kMaxDigits + 2];
    std::snprintf(digits, sizeof digits, "%ld", d.mantissa);
    if (scientificLength(d) < fixedLength(d)) {
        return length + writeScientific(d, digits, out + length);
    }
    return length + writeFixed(d, digits, magnitude, out + length);
}
