// Whole frames, the step and its drawing: the busiest scene of the level, the opening of a game
// and the menu, each drawn by Mesa's software renderer and again with no context current, where
// every GL call returns at once and only the game's own work is left to time.
#include "bench/bench_scenes.h"
#include "bench/no_gl_context.h"
#include "game/game.h"
#include "render/gl.h"
#include "tests/support/gl_fixture.h"

#include <benchmark/benchmark.h>
#include <optional>

namespace {

enum class Scene { Swarm, Opening, Menu };
enum class Drawing { Llvmpipe, None };

void buildScene(Game& game, Scene scene) {
    switch (scene) {
    case Scene::Swarm:
        clearField(game);
        fillSwarmScene(game);
        break;
    case Scene::Opening:
        // What the first seconds of a game show: the ship, two wedges, a missile each way.
        clearField(game);
        fillBattle(game, 2, 2);
        break;
    case Scene::Menu:
        // The menu keeps nothing from frame to frame that would change its cost.
        break;
    }
}

// A scene plays this many frames before it is built anew: little changes in them, and the pause
// of the clock around the building (it reads the clocks) is shared out over several frames.
constexpr int kFramesPerBuild = 8;

// The game is set up with the context current, so that the renderer has its images and fonts
// whether or not the frames are drawn. glFinish stands in for the buffer swap, which likewise waits
// for the renderer to finish the frame.
void wholeFrame(benchmark::State& state, Scene scene, Drawing drawing) {
    if (!sharedGlContext().ok()) {
        state.SkipWithError(sharedGlContext().error().c_str());
        return;
    }
    Renderer renderer;
    renderer.resize(OffscreenContext::kWidth, OffscreenContext::kHeight);
    Game game;
    if (scene == Scene::Menu) {
        playFrame(game, renderer);
    } else {
        startPlaying(game, renderer);
        armShip(game);
    }
    glFinish();

    std::optional<NoGlContext> noContext;
    if (drawing == Drawing::None) {
        noContext.emplace();
    }
    int framesLeft = 0;
    for (auto _ : state) {
        if (scene != Scene::Menu && framesLeft-- == 0) {
            state.PauseTiming();
            buildScene(game, scene);
            framesLeft = kFramesPerBuild - 1;
            state.ResumeTiming();
        }
        playFrame(game, renderer);
        glFinish();
    }
    if (game.gameState != (scene == Scene::Menu ? GameState::Menu : GameState::Playing) ||
        game.paused) {
        state.SkipWithError("the game left the scene it was given");
    }
    state.counters["images"] = loadedImageCount(renderer);
    state.counters["objects"] = static_cast<double>(
        game.enemies.size() + game.splitterGroup.splitters.size() + game.projectiles.size() +
        game.explosions.size() + game.powerups.size());
}

BENCHMARK_CAPTURE(wholeFrame, swarmDrawn, Scene::Swarm, Drawing::Llvmpipe)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wholeFrame, swarmWithoutGl, Scene::Swarm, Drawing::None)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(wholeFrame, openingDrawn, Scene::Opening, Drawing::Llvmpipe)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wholeFrame, openingWithoutGl, Scene::Opening, Drawing::None)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(wholeFrame, menuDrawn, Scene::Menu, Drawing::Llvmpipe)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(wholeFrame, menuWithoutGl, Scene::Menu, Drawing::None)
    ->Unit(benchmark::kMicrosecond);

} // namespace
