#pragma once

// What rings and splitters share: they drift along a fixed heading whose cosine carries them
// around the field and whose sine carries them in depth, turning back at the edges of their
// range, and they are drawn as ellipse outlines.

// +1 or -1, one draw of the random source: +1 when its bit of value 2 is set.
int randomDirection();

// The heading in radians as the drifting kinds steer by it: only its whole degrees count, and a
// negative heading steers like a positive one.
float headingInRadians(float heading);

// An ellipse outline of 360 vertices in the floor plane of the placement (y = -1), reaching
// `halfAcross` to either side and `halfAlong` along the view axis.
void drawEllipseOutline(float halfAcross, float halfAlong);
