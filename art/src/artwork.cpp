#include "artwork.h"

Pixels paintSeen(const Artwork& artwork) {
    Canvas canvas(artwork.width, artwork.height);
    artwork.draw(canvas);
    return readSurface(canvas.surface());
}
