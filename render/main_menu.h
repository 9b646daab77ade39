#pragma once

#include "render/texture.h"

// One frame of the main menu: reads the arrows, Return and Space, draws the backdrop, title, help
// text, marker, entries and credit line, and waits out the rest of its 10 ms. The six variables
// belong to the caller and persist between frames. The arrows move the selection once per press
// (each has to be released before it moves it again); Return and Space confirm with no latch.
void runMainMenu(TextureId menuTexture, bool& menuQuitChosen, bool& menuPlayChosen,
                 float& menuCursorY, int& menuSelection, bool& menuUpArmed, bool& menuDownArmed);
