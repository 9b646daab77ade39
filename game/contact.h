#pragma once

// The arithmetic of contact between objects on the tunnel wall. Differences are taken in double
// precision and truncated toward zero to whole hundredths of a degree (or of a depth unit).

// Whether `depth` lies in the ship's band, kShipBandFar to kShipBandNear.
bool inShipBand(float depth);

// An enemy or splitter against the ship. The half-widths are summed and cut to whole degrees
// before scaling, so a ring (2.9) touches the ship (11.0) only within 13 degrees, not 13.9.
bool touchesShip(float shipAngle, float shipHalfWidth, float enemyAngle, float enemyHalfWidth,
                 float enemyDepth);

// Whether two extents along one axis overlap: strictly less than the summed half-extents apart.
bool overlaps(float first, float firstHalf, float second, float secondHalf);

// A value truncated toward zero to a 32-bit integer; values beyond its range saturate.
int truncateToInt(double value);
