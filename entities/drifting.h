#pragma once

#include <array>

// What rings and splitters share: they drift along a fixed heading whose cosine carries them
// around the field and whose sine carries them in depth, turning back at the edges of their
// range, and they are drawn as ellipse outlines.

// +1 or -1, one draw of the random source: +1 when its bit of value 2 is set.
int randomDirection();

// The heading in radians as the drifting kinds steer by it: only its whole degrees count, and a
// negative heading steers like a positive one.
float headingInRadians(float heading);

// The outline of a drifting enemy has a vertex per whole degree.
constexpr int kOutlineVertices = 360;

// The outline's points on the unit circle, one per whole degree, by the rules' own sine and
// cosine. Every ring and splitter is drawn through the same ones, so they are worked out once
// instead of twice per vertex in every frame.
struct UnitCircle {
    std::array<float, kOutlineVertices> cos;
    std::array<float, kOutlineVertices> sin;
};

const UnitCircle& unitCircle();
