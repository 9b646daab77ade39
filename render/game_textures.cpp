#include "render/game_textures.h"

#include "platform/platform.h"

#include <string>

namespace {

struct TextureFile {
    const char* path;
    TextureId GameTextures::*id;
};

// Loading order: the images of the ship, its weapons and shots, explosions, pickups, the HUD and
// the menu.
const TextureFile kTextureFiles[kGameTextureCount] = {
    {"Data/Ship/Ship1.png", &GameTextures::texShip1},
    {"Data/Ship/Ship2.png", &GameTextures::texShip2},
    {"Data/Ship/Ship3.png", &GameTextures::texShip3},
    {"Data/Ship/Ship4.png", &GameTextures::texShip4},
    {"Data/Ship/Ship5.png", &GameTextures::texShip5},
    {"Data/Ship/Thrust1.png", &GameTextures::texThrust1},
    {"Data/Ship/Thrust2.png", &GameTextures::texThrust2},
    {"Data/Ship/Thrust3.png", &GameTextures::texThrust3},
    {"Data/Ship/Thrust4.png", &GameTextures::texThrust4},
    {"Data/Weapons/MissileLauncher.png", &GameTextures::texMissileLauncher},
    {"Data/Weapons/MeteorDestroyer.png", &GameTextures::texMeteorDestroyer},
    {"Data/Weapons/LaserGun.png", &GameTextures::texLaserGun},
    {"Data/Weapons/Missile.png", &GameTextures::texMissile},
    {"Data/Weapons/DestroyerBullet.png", &GameTextures::texDestroyerBullet},
    {"Data/Weapons/Laser.png", &GameTextures::texLaser},
    {"Data/Explosion/Explosion1.png", &GameTextures::texExplosion1},
    {"Data/Explosion/Explosion2.png", &GameTextures::texExplosion2},
    {"Data/Explosion/Explosion3.png", &GameTextures::texExplosion3},
    {"Data/Explosion/Explosion4.png", &GameTextures::texExplosion4},
    {"Data/Explosion/Explosion5.png", &GameTextures::texExplosion5},
    {"Data/Explosion/Explosion6.png", &GameTextures::texExplosion6},
    {"Data/Powerups/Powerup2a.png", &GameTextures::texPowerup2a},
    {"Data/Powerups/Powerup2b.png", &GameTextures::texPowerup2b},
    {"Data/Powerups/Powerup2c.png", &GameTextures::texPowerup2c},
    {"Data/Powerups/Powerup3a.png", &GameTextures::texPowerup3a},
    {"Data/Powerups/Powerup3b.png", &GameTextures::texPowerup3b},
    {"Data/Powerups/Powerup3c.png", &GameTextures::texPowerup3c},
    {"Data/Powerups/Wrench.png", &GameTextures::texWrench},
    {"Data/BG/Background.png", &GameTextures::texBackground},
    {"Data/BG/MissileLauncherSkeleton.png", &GameTextures::texMissileLauncherSkeleton},
    {"Data/BG/MeteorDestroyerSketch.png", &GameTextures::texMeteorDestroyerSketch},
    {"Data/BG/LaserSketch.png", &GameTextures::texLaserSketch},
    {"Data/BG/Unavailable.png", &GameTextures::texUnavailable},
    {"Data/BG/ShipLife.png", &GameTextures::texShipLife},
    {"Data/Menu.png", &GameTextures::texMenu},
};

} // namespace

const char* gameTexturePath(int index) {
    return kTextureFiles[index].path;
}

GameTextures loadGameTextures() {
    GameTextures textures{};
    const std::string& root = dataRoot();
    for (const TextureFile& file : kTextureFiles) {
        textures.*file.id = loadTexture((root + file.path).c_str());
    }
    return textures;
}
