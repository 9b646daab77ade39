#pragma once

#include <cairo.h>

// The player's ship seen from above, in the units of the hull quad: x across (-0.7 to 0.7, right
// as seen on screen), y forward (-1.5 at the tail, 1 at the nose). The hull picture, the life icon
// on the panel and the title backdrop all use this silhouette, so the ship reads as one ship.
namespace hull {

constexpr double halfWidth = 0.7;
constexpr double tail = -1.5;
constexpr double nose = 1.0;
// The engines sit where the game puts the two thrust flames.
constexpr double engineX = 0.35;
constexpr double nozzleHalfWidth = 0.065;

// Shrinks what follows about the middle of the quad so that the silhouette, which runs to the
// quad's very edges, keeps `pixels` of transparency all round in a picture of that resolution.
void keepClearOfEdges(cairo_t* cr, double pixelX, double pixelY, double pixels);

void outline(cairo_t* cr);
void fuselage(cairo_t* cr);
void canopy(cairo_t* cr);
void enginePod(cairo_t* cr, double side);
void wing(cairo_t* cr, double side);

} // namespace hull
