// Explosion1 .. Explosion6: one fireball in six frames. It flashes white, swells into a
// rolling yellow-orange ball throwing sparks, tears into glowing ragged clumps, cools into
// red embers and smoke, and fades away. All frames share one noise seed, so the clumps of a later
// frame grow out of the lumps of the earlier ones. Seen face on: the game stands the sprite up
// on the tunnel floor facing the player.

#include "catalogue.h"
#include "field.h"
#include "noise.h"
#include "shapes.h"

#include <cmath>
#include <string>

namespace {

using namespace palette;

struct BlastFrame {
    double radius;  // of the fireball, in the picture's half size
    double heat;    // peak temperature: above 1 the core burns white
    double breakup; // 0 a whole ball, 1 only scattered wisps left
    double opacity;
    double sparkTravel; // how far the sparks have flown, 0 for none
    double haloStrength;
    double smoke; // share of the cooler parts already turned to smoke
    bool flash;   // the first instant: a white star of rays
};

constexpr BlastFrame frames[] = {
    {0.42, 1.7, 0.00, 1.00, 0.00, 0.9, 0.0, true},
    {0.62, 1.25, 0.02, 1.00, 0.45, 0.55, 0.0, false},
    {0.78, 0.95, 0.18, 1.00, 0.68, 0.3, 0.15, false},
    {0.88, 0.75, 0.4, 0.95, 0.84, 0.12, 0.45, false},
    {0.93, 0.55, 0.5, 0.9, 0.95, 0.0, 0.8, false},
    {0.97, 0.3, 0.56, 0.6, 0.0, 0.0, 1.0, false},
};

constexpr std::uint32_t blastSeed = 1977;

// Temperature to colour: cold smoke, embers, orange flame, yellow, white heat.
Rgb fireColour(double t) {
    constexpr Rgb lightSmoke{0.42, 0.4, 0.39};
    if (t < 0.22) {
        return mix(soot, lightSmoke, t / 0.22);
    }
    if (t < 0.4) {
        return mix(scaled(emberRed, 0.6), emberRed, (t - 0.22) / 0.18);
    }
    if (t < 0.62) {
        return mix(emberRed, flameOrange, (t - 0.4) / 0.22);
    }
    if (t < 0.85) {
        return mix(flameOrange, flameYellow, (t - 0.62) / 0.23);
    }
    return mix(flameYellow, hotWhite, std::min(1.0, (t - 0.85) / 0.3));
}

void paintFireball(Canvas& canvas, const BlastFrame& frame) {
    paintField(canvas, [frame](double x, double y) {
        const double r = std::hypot(x, y);
        const double lumps = fractalNoise(x * 2.4 + 10, y * 2.4 + 10, 5, blastSeed);
        const double d = r / frame.radius - (lumps - 0.5) * 0.7;
        double density = smoothstep(1.0, 0.72, d) * smoothstep(1.0, 0.88, r);
        const double tears = fractalNoise(x * 3.6 - 4, y * 3.6 + 7, 4, blastSeed + 1);
        const double cut = frame.breakup * 0.75 - 0.2 * (1 - std::min(1.0, d));
        density *= smoothstep(cut - 0.04, cut + 0.1, tears);
        const double heat = frame.heat * std::pow(std::max(0.0, 1 - d), 0.6) * (0.6 + 0.8 * lumps);
        const double smoky = frame.smoke * (1 - smoothstep(0.3, 0.75, heat));
        // Smoke lit by the fire is pale enough to show against the black tunnel.
        const Rgb smokeColour = mix(Rgb{0.22, 0.2, 0.19}, Rgb{0.58, 0.55, 0.52}, lumps);
        const Rgb c = mix(fireColour(heat), smokeColour, smoky);
        const double alpha = density * frame.opacity * (1 - 0.35 * smoky) * (heat < 0.22 ? 0.7 : 1);
        return Rgba{c.r, c.g, c.b, alpha};
    });
}

void paintFlash(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    Random random(blastSeed);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int ray = 0; ray < 12; ++ray) {
        const double angle = ray * 2 * pi / 12 + random.range(-0.15, 0.15);
        const double length = random.range(0.55, 0.9);
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, std::cos(angle) * length, std::sin(angle) * length);
        setColour(cr, flameYellow, 0.35);
        strokePixelsPreserve(cr, 5);
        setColour(cr, hotWhite, 0.9);
        strokePixels(cr, 1.5);
    }
    glow(cr, {0, 0}, 0.35, white, 1);
}

void paintSparks(Canvas& canvas, const BlastFrame& frame) {
    cairo_t* cr = canvas.cr();
    Random random(blastSeed + 2);
    const double fade = 1.2 - frame.sparkTravel;
    for (int i = 0; i < 16; ++i) {
        const double angle = random.range(0, 2 * pi);
        const double speed = random.range(0.6, 0.95);
        const double tail = random.range(0.08, 0.16) * fade;
        const double reach = speed * frame.sparkTravel;
        const Point head{std::cos(angle) * reach, std::sin(angle) * reach};
        const Point back{std::cos(angle) * (reach - tail), std::sin(angle) * (reach - tail)};
        spark(cr, back, head, 1.5, i % 3 == 0 ? flameOrange : flameYellow, std::min(1.0, fade));
    }
}

void paintBlast(Canvas& canvas, const BlastFrame& frame) {
    canvas.useViewBox(-1, -1, 1, 1);
    if (frame.haloStrength > 0) {
        glow(canvas.cr(), {0, 0}, 0.98, flameOrange, frame.haloStrength * 0.5);
    }
    paintFireball(canvas, frame);
    if (frame.sparkTravel > 0) {
        paintSparks(canvas, frame);
    }
    if (frame.flash) {
        paintFlash(canvas);
    }
}

} // namespace

std::vector<Artwork> explosionArtworks() {
    std::vector<Artwork> blasts;
    for (int i = 0; i < 6; ++i) {
        blasts.push_back({"Explosion/Explosion" + std::to_string(i + 1) + ".png", 128, 128,
                          Orientation::Turned,
                          [i](Canvas& canvas) { paintBlast(canvas, frames[i]); }});
    }
    return blasts;
}
