#pragma once

#include <string>

// The game's icon for desktop menus: the player's ship, the very picture the game flies (Ship1),
// diving into the mouth of the tunnel on a dark tile. Written into DIR as the hicolor theme lays
// icons out: DIR/NxN/apps/glimmerwake.png for every size, and DIR/scalable/apps/glimmerwake.svg,
// all drawn from the same paths (the small sizes are drawn at their size, not shrunk from a big
// picture).
void writeIcons(const std::string& dir);

// The same icon as one Windows icon file (.ico) holding every size from 16 to 256 pixels, for the
// program's resources and the installer.
void writeWindowsIcon(const std::string& file);
