#include "render/gl.h"
#include "render/gl_state.h"
#include "render/text.h"
#include "render/view.h"
#include "tests/support/gl_fixture.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <string>

namespace {

// One full line of text, the longest drawText prints, through the bitmap display lists. The
// characters per second show what a text of any length costs: the menu draws 140.
void drawTextFullLine(benchmark::State& state) {
    if (!sharedGlContext().ok()) {
        state.SkipWithError(sharedGlContext().error().c_str());
        return;
    }
    resizeView(OffscreenContext::kWidth, OffscreenContext::kHeight);
    initGlState();
    const std::string line(255, 'W');
    for (auto _ : state) {
        glColor3f(0.5f, 0.5f, 0.5f);
        glLoadIdentity();
        glTranslatef(0.0f, 0.0f, -1.0f);
        glRasterPos2f(-0.5f, 0.0f);
        drawText(FontNormal, "%s", line.c_str());
        glFinish();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(line.size()));
}
BENCHMARK(drawTextFullLine)->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

} // namespace
