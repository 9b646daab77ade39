#pragma once

#include "canvas.h"
#include "orientation.h"
#include "pixels.h"

#include <functional>
#include <string>

// One image of Data/: where it goes, its size, how the file is turned from the picture, and the
// code that paints the picture the way the player sees it in the game.
struct Artwork {
    std::string path; // relative to Data/
    int width;
    int height;
    Orientation orientation;
    std::function<void(Canvas&)> draw;
};

// The picture as seen in the game, before it is turned into the file.
Pixels paintSeen(const Artwork& artwork);
