#pragma once

// Where one enemy stood when the frame was updated: what the radar shows as a dot. Made fresh
// every update frame and released by the HUD once drawn.
struct RadarPoint {
    float depth;
    float angle;
};
