#pragma once

#include "render/texture.h"

// The 35 images of the game, loaded once on the first frame and handed to their users.
struct GameTextures {
    TextureId texShip1, texShip2, texShip3, texShip4, texShip5;
    TextureId texThrust1, texThrust2, texThrust3, texThrust4;
    TextureId texMissileLauncher, texMeteorDestroyer, texLaserGun;
    TextureId texMissile, texDestroyerBullet, texLaser;
    TextureId texExplosion1, texExplosion2, texExplosion3, texExplosion4, texExplosion5,
        texExplosion6;
    TextureId texPowerup2a, texPowerup2b, texPowerup2c;
    TextureId texPowerup3a, texPowerup3b, texPowerup3c;
    TextureId texWrench;
    TextureId texBackground, texMissileLauncherSkeleton, texMeteorDestroyerSketch, texLaserSketch,
        texUnavailable, texShipLife;
    TextureId texMenu;
};

// The number of images, and the path of each below the working directory, in loading order.
constexpr int kGameTextureCount = 35;
const char* gameTexturePath(int index);

// Loads every image in order; one that fails to load is 0 and the game goes on without it.
GameTextures loadGameTextures();
