#include "render/renderer.h"

#include "game/game.h"
#include "render/entity_drawing.h"
#include "render/final_boss_banner.h"
#include "render/gl.h"
#include "render/gl_state.h"
#include "render/hud.h"
#include "render/main_menu.h"
#include "render/pause_overlay.h"
#include "render/view.h"
#include "render/weapon_prompt.h"

void Renderer::drawFrame(const Game& game, const FramePicture& picture) {
    // The images come first, before the fonts: the texture names come out as they always have.
    if (!texturesLoaded_) {
        textures_ = loadGameTextures();
        texturesLoaded_ = true;
    }
    switch (picture.screen) {
    case Screen::SetUp:
        initGlState();
        break;
    case Screen::Menu:
        drawMainMenu(textures_.texMenu, game.menuCursorY);
        break;
    case Screen::Play:
        drawPlay(picture.gameAsDrawn ? *picture.gameAsDrawn : game, picture);
        break;
    case Screen::Nothing:
        break;
    }
}

void Renderer::resize(int width, int height) {
    resizeView(width, height);
}

void Renderer::drawPlay(const Game& game, const FramePicture& picture) const {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const GameTextures& t = textures_;
    const PlayerShip& ship = game.ship;
    drawHud(t.texBackground, t.texMissileLauncherSkeleton, t.texMeteorDestroyerSketch,
            t.texLaserSketch, ship.getHighestWeapon(), t.texUnavailable, t.texShipLife,
            ship.getLives(), ship.getScore(), game.radarPoints, game.bossHitPoints);
    drawShip(ship, t);
    for (const auto& projectile : game.projectiles) {
        drawProjectile(*projectile, t);
    }
    for (const auto& enemy : game.enemies) {
        drawEnemy(*enemy);
    }
    for (const auto& splitter : game.splitterGroup.splitters) {
        drawSplitter(*splitter);
    }
    for (const auto& explosion : game.explosions) {
        drawExplosion(*explosion, t);
    }
    // A paused or finished game shows neither the power-ups nor the level's messages.
    if (!picture.still) {
        for (const auto& powerup : game.powerups) {
            drawPowerup(*powerup, t);
        }
        if (bannerShown(game.frameCounter)) {
            drawFinalBossBanner();
        }
        if (game.weaponPrompt != 0) {
            drawWeaponPrompt(game.weaponPrompt);
        }
    }
    if (picture.overlay) {
        drawPauseOverlay(picture.overlayOffersReturn);
    }
}
