#pragma once

#include "artwork.h"

#include <vector>

// The image families, one source file each.
std::vector<Artwork> shipArtworks();
std::vector<Artwork> thrustArtworks();
std::vector<Artwork> weaponArtworks();
std::vector<Artwork> shotArtworks();
std::vector<Artwork> explosionArtworks();
std::vector<Artwork> powerupArtworks();
std::vector<Artwork> hudArtworks();
std::vector<Artwork> menuArtworks();

// All 35 images, in the order the game loads them.
std::vector<Artwork> allArtworks();
