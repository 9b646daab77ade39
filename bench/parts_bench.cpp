// Where a drawn frame of the busiest scene goes: each group of its drawing on its own, after the
// clear that starts every frame, finished by glFinish.
#include "bench/bench_scenes.h"
#include "game/game.h"
#include "render/entity_drawing.h"
#include "render/gl.h"
#include "render/hud.h"
#include "render/hud_elements.h"
#include "tests/support/gl_fixture.h"

#include <benchmark/benchmark.h>
#include <functional>

namespace {

enum class Part {
    Clear,
    Hud,
    HudRadar,
    HudRails,
    HudPanel,
    HudTexts,
    Ship,
    Shots,
    Enemies,
    Swarm,
    Explosions
};

// Explosions move on a step in every frame, where the frame is drawn.
void drawPart(Game& game, const GameTextures& t, Part part) {
    switch (part) {
    case Part::Clear:
        break;
    case Part::Hud:
        game.fillRadar();
        drawHud(t.texBackground, t.texMissileLauncherSkeleton, t.texMeteorDestroyerSketch,
                t.texLaserSketch, game.ship.getHighestWeapon(), t.texUnavailable, t.texShipLife,
                game.ship.getLives(), game.ship.getScore(), game.radarPoints, 0);
        break;
    case Part::HudRadar:
        game.fillRadar();
        glDisable(GL_TEXTURE_2D);
        drawRadar(game.radarPoints);
        break;
    case Part::HudRails:
        glDisable(GL_TEXTURE_2D);
        drawTunnelRails();
        break;
    case Part::HudPanel:
        glEnable(GL_TEXTURE_2D);
        drawPanel({t.texBackground, t.texMissileLauncherSkeleton, t.texMeteorDestroyerSketch,
                   t.texLaserSketch, t.texUnavailable, t.texShipLife},
                  game.ship.getHighestWeapon(), game.ship.getLives());
        glDisable(GL_TEXTURE_2D);
        break;
    case Part::HudTexts:
        drawWeaponNumbers(game.ship.getHighestWeapon());
        drawLivesAndScore(game.ship.getScore());
        break;
    case Part::Ship:
        drawShip(game.ship, t);
        break;
    case Part::Shots:
        for (const auto& projectile : game.projectiles) {
            drawProjectile(*projectile, t);
        }
        break;
    case Part::Enemies:
        for (const auto& enemy : game.enemies) {
            drawEnemy(*enemy);
        }
        break;
    case Part::Swarm:
        for (const auto& splitter : game.splitterGroup.splitters) {
            drawSplitter(*splitter);
        }
        break;
    case Part::Explosions:
        for (auto& explosion : game.explosions) {
            explosion->advanceAnimation();
            drawExplosion(*explosion, t);
        }
        break;
    }
}

void swarmPart(benchmark::State& state, Part part) {
    if (!sharedGlContext().ok()) {
        state.SkipWithError(sharedGlContext().error().c_str());
        return;
    }
    Renderer renderer;
    renderer.resize(OffscreenContext::kWidth, OffscreenContext::kHeight);
    Game game;
    startPlaying(game, renderer);
    armShip(game);
    clearField(game);
    fillSwarmScene(game);
    glFinish();
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawPart(game, renderer.textures(), part);
        glFinish();
        if (part == Part::Explosions) {
            state.PauseTiming();
            game.removeFinishedExplosions();
            while (game.explosions.size() < 20) {
                game.addExplosion(-10.0f,
                                  static_cast<float>(game.explosions.size()) * 3.0f - 30.0f);
            }
            state.ResumeTiming();
        }
    }
}

BENCHMARK_CAPTURE(swarmPart, clear, Part::Clear)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(swarmPart, hud, Part::Hud)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(swarmPart, hudRadar, Part::HudRadar)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(swarmPart, hudRails, Part::HudRails)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(swarmPart, hudPanel, Part::HudPanel)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(swarmPart, hudTexts, Part::HudTexts)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(swarmPart, ship, Part::Ship)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(swarmPart, shots, Part::Shots)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(swarmPart, enemies, Part::Enemies)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(swarmPart, swarm, Part::Swarm)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(swarmPart, explosions, Part::Explosions)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
