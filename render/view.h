#pragma once

// Viewport and projection for a drawable of this size: the camera at the origin looking down -z
// with a 45-degree vertical field of view. Everything the game draws is placed for it. A height
// of 0 (a minimised window) is taken as 1.
void resizeView(int width, int height);
