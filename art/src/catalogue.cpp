#include "catalogue.h"

std::vector<Artwork> allArtworks() {
    std::vector<Artwork> all;
    for (auto family : {shipArtworks, thrustArtworks, weaponArtworks, shotArtworks,
                        explosionArtworks, powerupArtworks, hudArtworks, menuArtworks}) {
        for (Artwork& artwork : family()) {
            all.push_back(std::move(artwork));
        }
    }
    return all;
}
