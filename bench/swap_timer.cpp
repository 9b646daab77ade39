// A library to preload into the desktop game while its CPU use is measured: it times every buffer
// swap and, when the game ends, writes one line per swap to the file named by
// GLIMMERWAKE_SWAP_LOG: when the swap began and ended, in nanoseconds of the calendar clock (the
// clock `date +%s%N` reads). The spans between swaps are the frames; on Mesa's software renderer
// the swap is where the rasteriser's work on the frame is waited for and the picture is sent.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <vector>

struct SDL_Window;

namespace {

std::int64_t calendarNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return std::int64_t{now.tv_sec} * 1000000000 + now.tv_nsec;
}

struct SwapLog {
    struct Swap {
        std::int64_t begin, end;
    };
    std::vector<Swap> swaps;

    // A minute of frames at 100 a second, several times over: no allocation while measuring.
    SwapLog() { swaps.reserve(1 << 16); }
    ~SwapLog() {
        const char* const path = std::getenv("GLIMMERWAKE_SWAP_LOG");
        std::FILE* const file = path != nullptr ? std::fopen(path, "w") : nullptr;
        if (file == nullptr) {
            return;
        }
        for (const Swap& swap : swaps) {
            std::fprintf(file, "%lld %lld\n", static_cast<long long>(swap.begin),
                         static_cast<long long>(swap.end));
        }
        std::fclose(file);
    }
};

SwapLog swapLog;

} // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
    using Swap = void (*)(SDL_Window*);
    static const Swap realSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    const std::int64_t begin = calendarNs();
    realSwap(window);
    swapLog.swaps.push_back({begin, calendarNs()});
}
