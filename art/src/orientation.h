#pragma once

#include "pixels.h"

// How a picture drawn the way the player sees it becomes the file the game loads. The game's
// loader puts a file's top row at t = 0 and its left column at s = 0, and every quad of the game
// has s = 0 on its right-hand side as seen on screen, so no file is stored as seen.
enum class Orientation {
    // Left and right swapped, top stays on top: HUD, menu, hull, mounted weapons, shots.
    Mirrored,
    // Turned by half a turn (mirrored and upside down): sprites whose t = 0 edge is the one
    // nearest the player, i.e. explosions and pickups lying on the tunnel floor, and the thrust
    // flames whose t = 0 edge is the flame's tip.
    Turned,
};

Pixels toFile(const Pixels& seen, Orientation orientation);

const char* describe(Orientation orientation);
