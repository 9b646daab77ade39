#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An OpenGL context that needs no display: Mesa's surfaceless EGL platform, drawing into a
// 1024 x 768 framebuffer object with 16 depth bits, the same size the game's window has. The
// replay tool takes its shots from it and the tests draw real frames in it.
class OffscreenContext {
  public:
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 768;

    OffscreenContext();
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    // True when the context exists and is current on this thread.
    bool ok() const { return ok_; }
    // Why it could not be made, when it could not.
    const std::string& error() const { return error_; }

    // The frame drawn so far, as RGB rows from the top of the picture down.
    std::vector<std::uint8_t> readRgb() const;

  private:
    bool ok_ = false;
    std::string error_;
    void* display_ = nullptr;
    void* context_ = nullptr;
    unsigned framebuffer_ = 0;
    unsigned colourBuffer_ = 0;
    unsigned depthBuffer_ = 0;
};
