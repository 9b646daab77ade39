// What Mesa's software renderer charges for covering the whole view once, by the state the quad
// is drawn with: the price of the menu's backdrop, which is drawn textured, blended and depth
// tested. Each frame is the clear and the quad, finished by glFinish.
#include "bench/bench_scenes.h"
#include "render/gl.h"
#include "tests/support/gl_fixture.h"

#include <benchmark/benchmark.h>

namespace {

struct FillState {
    bool textured;
    bool blended;
    bool depthTested;
};

// The menu backdrop's quad: at -9 it reaches past every edge of the view.
void drawScreenQuad() {
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -9.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(6.5f, -5.0f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(-6.5f, -5.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(-6.5f, 5.0f, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(6.5f, 5.0f, 0.0f);
    glEnd();
}

void setEnabled(GLenum capability, bool enabled) {
    if (enabled) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
}

void fillScreen(benchmark::State& state, FillState fill) {
    if (!sharedGlContext().ok()) {
        state.SkipWithError(sharedGlContext().error().c_str());
        return;
    }
    Renderer renderer;
    renderer.resize(OffscreenContext::kWidth, OffscreenContext::kHeight);
    Game game;
    startPlaying(game, renderer);
    glBindTexture(GL_TEXTURE_2D, renderer.textures().texMenu);
    setEnabled(GL_TEXTURE_2D, fill.textured);
    setEnabled(GL_BLEND, fill.blended);
    setEnabled(GL_DEPTH_TEST, fill.depthTested);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawScreenQuad();
        glFinish();
    }
    state.counters["images"] = loadedImageCount(renderer);
    // Back to the state the game keeps, for the benchmarks that follow.
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

BENCHMARK_CAPTURE(fillScreen, plain, FillState{false, false, false})
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fillScreen, depthTested, FillState{false, false, true})
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fillScreen, blended, FillState{false, true, false})
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fillScreen, textured, FillState{true, false, false})
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(fillScreen, likeTheMenuBackdrop, FillState{true, true, true})
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
