// The update phase of a playing frame (movement, firing, aim, radar, contact, removal) against
// the number of objects in the field. It draws nothing, so no OpenGL context is involved.
#include "bench/bench_scenes.h"
#include "game/game.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstddef>
#include <cstdlib>

namespace {

// The field is built anew once hits, ramming, shots leaving it and squares firing have changed
// either list by more than a twentieth (by more than one object in the small fields). Building it
// every frame would put a pause of the clock (about half a microsecond, ten empty frames) into
// every timing. The counters show the field the timed frames saw, on average.
bool drifted(const Game& game, int count) {
    const auto off = [count](std::size_t size) { return std::abs(static_cast<int>(size) - count); };
    const int slack = std::max(1, count / 20);
    return off(game.enemies.size()) > slack || off(game.projectiles.size()) > slack;
}

void reportField(benchmark::State& state, double enemies, double shots, double contacts) {
    state.counters["enemies"] = benchmark::Counter(enemies, benchmark::Counter::kAvgIterations);
    state.counters["shots"] = benchmark::Counter(shots, benchmark::Counter::kAvgIterations);
    // Contacts found per frame: every one adds an explosion.
    state.counters["contacts"] = benchmark::Counter(contacts, benchmark::Counter::kAvgIterations);
    state.SetComplexityN(state.range(0));
}

// N enemies and N shots.
void updatePhase(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    Game game;
    Renderer renderer;
    startPlaying(game, renderer);
    bool built = false;
    double enemies = 0, shots = 0, contacts = 0;
    for (auto _ : state) {
        if (!built || drifted(game, count)) {
            state.PauseTiming();
            clearField(game);
            fillBattle(game, count, count);
            built = true;
            state.ResumeTiming();
        }
        const std::size_t explosionsBefore = game.explosions.size();
        // Every frame of play starts with an empty radar; the update phase alone leaves its
        // points, which would pile up from frame to frame.
        game.radarPoints.clear();
        game.updatePhase(CallInputs{});
        contacts += static_cast<double>(game.explosions.size() - explosionsBefore);
        enemies += static_cast<double>(game.enemies.size());
        shots += static_cast<double>(game.projectiles.size());
    }
    reportField(state, enemies, shots, contacts);
}
// An empty field on its own: the fit of the growth needs counts above 0.
BENCHMARK(updatePhase)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(updatePhase)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Complexity(benchmark::oNSquared)
    ->Unit(benchmark::kMicrosecond);

// The contact passes alone, which test every enemy against every shot. The passes never look at
// `dead`, so the same scene finds the same contacts each time and can be tested again and again;
// only the explosions they add (and the score of the kills) pile up and are let go now and then.
void contactPasses(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    Game game;
    Renderer renderer;
    startPlaying(game, renderer);
    clearField(game);
    fillBattle(game, count, count);
    double contacts = 0;
    for (auto _ : state) {
        const std::size_t explosionsBefore = game.explosions.size();
        game.runCollisions();
        contacts += static_cast<double>(game.explosions.size() - explosionsBefore);
        if (game.explosions.size() > 10000) {
            state.PauseTiming();
            game.explosions.clear();
            game.ship.reset();
            state.ResumeTiming();
        }
    }
    reportField(state, static_cast<double>(game.enemies.size()) * state.iterations(),
                static_cast<double>(game.projectiles.size()) * state.iterations(), contacts);
}
BENCHMARK(contactPasses)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(contactPasses)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Complexity(benchmark::oNSquared)
    ->Unit(benchmark::kMicrosecond);

} // namespace
