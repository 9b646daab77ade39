// Thrust1 .. Thrust4: the engine flame, four frames of a 16-frame flicker. Seen from above with
// the nozzle at the top and the tip trailing down toward the player. The game shows only the half
// nearest the nozzle (the rest runs off the bottom of the screen), so the frames differ there
// too: in width, in the flare at the nozzle and in where the shock diamonds sit; further down
// the tip flickers long, short, blown aside and torn in two.

#include "catalogue.h"
#include "field.h"
#include "noise.h"
#include "shapes.h"

#include <cmath>
#include <string>

namespace {

using namespace palette;

struct FlameFrame {
    double length;       // as a share of the picture's height
    double width;        // at the nozzle, as a share of the picture's half width
    double diamondPhase; // where along the flame the shock diamonds sit
    double sway;         // how far the tip is blown sideways
    double split;        // 0 one tongue, 1 a tip torn in two
    double bloom;        // size of the white-hot flare at the nozzle
    double turbulence;   // noise offset, so that each frame's edges wander differently
};

constexpr FlameFrame frames[] = {
    {0.98, 0.8, 0.1, 0.0, 0.0, 0.16, 0.0},   // long and steady
    {0.66, 1.0, 0.55, 0.15, 0.0, 0.3, 3.7},  // short, fat, flaring
    {0.86, 0.74, 0.8, -0.45, 0.2, 0.2, 7.1}, // tip blown to the left
    {0.8, 0.9, 0.3, 0.35, 1.0, 0.12, 11.3},  // tip torn in two
};

Rgb flameColour(double heat) {
    if (heat > 0.7) {
        return mix(thrustBlue, thrustCore, smoothstep(0.7, 1.0, heat));
    }
    return mix(thrustDeep, thrustBlue, smoothstep(0.2, 0.7, heat));
}

void paintFlame(Canvas& canvas, const FlameFrame& frame) {
    constexpr double halfWidth = 0.06;
    constexpr double halfLength = 0.3;
    canvas.useViewBox(-halfWidth, -halfLength, halfWidth, halfLength);
    paintField(canvas, [frame](double x, double y) {
        // The top sixth of the quad lies over the hull's nozzle: the flame is born just inside it
        // and fades in, so that the sprite has no hard top edge.
        constexpr double nozzleExit = 1.0 / 6;
        const double fromTop = (halfLength - y) / (2 * halfLength);
        const double down = std::max(0.0, fromTop - nozzleExit * 0.6) / (1 - nozzleExit * 0.6);
        const double fadeIn = smoothstep(0.02, nozzleExit, fromTop);
        const double along = down / frame.length;
        if (along >= 1) {
            return Rgba{0, 0, 0, 0};
        }
        const double wander =
            fractalNoise(x * 40 + frame.turbulence, down * 9 - frame.turbulence, 3, 5) - 0.5;
        const double u = x / halfWidth - frame.sway * along * along;
        const double width = frame.width * std::pow(1 - along, 0.5) * (1 + 0.35 * wander);
        double across = u / std::max(width, 1e-3);
        // A torn tip: two tongues parting as the flame goes.
        const double parting = frame.split * smoothstep(0.35, 0.9, along) * 0.55;
        across = std::min(std::fabs(across - parting), std::fabs(across + parting)) /
                 (1 - parting * 0.5);
        const double body = std::exp(-across * across * 2.2) * std::pow(1 - along, 0.7);
        const double diamonds =
            std::pow(0.5 + 0.5 * std::cos((along * 3.0 + frame.diamondPhase) * 2 * pi), 3);
        const double core =
            std::exp(-across * across * 10) * (0.45 + 0.75 * diamonds) * (1 - along * 0.7);
        const double bloom = std::exp(-(down * down) / (frame.bloom * frame.bloom * 0.25)) *
                             std::exp(-across * across * 1.5);
        const double heat = 0.7 * body + 0.5 * core + 0.8 * bloom;
        const Rgb c = flameColour(heat);
        const double edges =
            smoothstep(1.0, 0.8, std::fabs(x) / halfWidth) * smoothstep(0.0, 0.04, 1 - fromTop);
        return Rgba{c.r, c.g, c.b, smoothstep(0.03, 0.45, heat) * fadeIn * edges};
    });
}

} // namespace

std::vector<Artwork> thrustArtworks() {
    std::vector<Artwork> flames;
    for (int i = 0; i < 4; ++i) {
        flames.push_back({"Ship/Thrust" + std::to_string(i + 1) + ".png", 32, 64,
                          Orientation::Turned,
                          [i](Canvas& canvas) { paintFlame(canvas, frames[i]); }});
    }
    return flames;
}
