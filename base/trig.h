#pragma once

// Sine and cosine of a float for the game's rules, the same bits with every compiler, C library
// and processor: each returns the exact value rounded to the nearest float. A correctly rounded
// result is one number, so any two builds that reach it agree, and the game plays the same
// everywhere (the C library's sinf and cosf differ between libraries in the last bit, and glibc's
// miss the nearest float for about one argument in a hundred).
//
// Defined for |x| < 2^25 (about 33.5 million radians; a drifting enemy's heading cannot take its
// argument past 1.9e7). Outside that, and for infinities and NaN, the result is NaN.
//
// Drawing has no such need and may keep the C library's functions.

// The largest argument magnitude, exclusive, for which the functions are defined.
constexpr float kTrigDomainLimit = 33554432.0f; // 2^25

float gameSin(float x);
float gameCos(float x);
