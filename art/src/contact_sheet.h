#pragma once

#include "orientation.h"
#include "pixels.h"

#include <string>
#include <vector>

struct SheetEntry {
    std::string name;
    Pixels seen;
    Orientation orientation;
};

// A review page: every picture as the player sees it, on a checkerboard that shows its
// transparency, with its name, size and how its file is turned. The panel strip and the title
// backdrop get the first row; the rest follow in the game's load order.
void writeContactSheet(const std::string& path, const std::vector<SheetEntry>& entries);
