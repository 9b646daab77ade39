// The three shots, seen from above with their leading end up:
//   Missile          a slim silver missile with a red nose and a glowing exhaust tail; enemies
//                    fire it too (the game turns it round for shots flying at the player);
//   DestroyerBullet  a white-hot slug in a golden glow, with a short trail;
//   Laser            a long emerald beam with a white core, brightest at the muzzle and fading
//                    to nothing at its far end.

#include "catalogue.h"
#include "field.h"
#include "noise.h"
#include "shapes.h"

#include <cmath>

namespace {

using namespace palette;

void paintMissile(Canvas& canvas) {
    canvas.useViewBox(-0.05, -0.15, 0.05, 0.15);
    cairo_t* cr = canvas.cr();

    // Exhaust first, so that the body sits on it.
    ellipseGlow(cr, {0, -0.06}, 0.042, 0.085, flameOrange, 0.9);
    ellipseGlow(cr, {0, -0.05}, 0.025, 0.06, flameYellow, 1);
    ellipseGlow(cr, {0, -0.035}, 0.012, 0.03, hotWhite, 1);

    // Fins.
    mirroredPolygon(cr, {{0.0, 0.03}, {0.04, -0.02}, {0.04, -0.035}, {0.0, -0.02}});
    setLinear(cr, {-0.04, 0}, {0.04, 0}, {{0, hullMid, 1}, {0.4, hullLight, 1}, {1, hullDark, 1}});
    cairo_fill(cr);

    // Body and nose cone.
    cairo_move_to(cr, -0.017, -0.03);
    cairo_line_to(cr, -0.017, 0.08);
    cairo_curve_to(cr, -0.017, 0.12, -0.006, 0.137, 0, 0.14);
    cairo_curve_to(cr, 0.006, 0.137, 0.017, 0.12, 0.017, 0.08);
    cairo_line_to(cr, 0.017, -0.03);
    cairo_close_path(cr);
    setLinear(cr, {-0.017, 0}, {0.017, 0},
              {{0, hullMid, 1}, {0.3, white, 1}, {0.65, hullMid, 1}, {1, hullDark, 1}});
    cairo_fill(cr);
    cairo_save(cr);
    cairo_rectangle(cr, -0.02, 0.085, 0.04, 0.07);
    cairo_clip(cr);
    cairo_move_to(cr, -0.017, 0.08);
    cairo_curve_to(cr, -0.017, 0.12, -0.006, 0.137, 0, 0.14);
    cairo_curve_to(cr, 0.006, 0.137, 0.017, 0.12, 0.017, 0.08);
    cairo_close_path(cr);
    setLinear(cr, {-0.017, 0}, {0.017, 0},
              {{0, emberRed, 1}, {0.35, Rgb{1.0, 0.4, 0.3}, 1}, {1, scaled(wedgeRed, 0.6), 1}});
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_rectangle(cr, -0.017, 0.0, 0.034, 0.012);
    setColour(cr, bossOchre, 1);
    cairo_fill(cr);
}

void paintDestroyerBullet(Canvas& canvas) {
    canvas.useViewBox(-0.035, -0.3, 0.035, 0.3);
    cairo_t* cr = canvas.cr();

    // Trail of hot air behind the slug.
    cairo_move_to(cr, -0.014, 0.16);
    cairo_curve_to(cr, -0.012, 0.0, -0.004, -0.2, 0, -0.3);
    cairo_curve_to(cr, 0.004, -0.2, 0.012, 0.0, 0.014, 0.16);
    cairo_close_path(cr);
    setLinear(cr, {0, 0.16}, {0, -0.3},
              {{0, slugGold, 0.9}, {0.4, flameOrange, 0.45}, {1, emberRed, 0.0}});
    cairo_fill(cr);

    ellipseGlow(cr, {0, 0.19}, 0.035, 0.11, slugGold, 1);
    roundedRect(cr, -0.016, 0.1, 0.016, 0.28, 0.016);
    setLinear(cr, {-0.016, 0}, {0.016, 0},
              {{0, slugGold, 1}, {0.4, hotWhite, 1}, {1, flameOrange, 1}});
    cairo_fill(cr);
    ellipseGlow(cr, {0, 0.24}, 0.012, 0.04, white, 1);
}

void paintLaser(Canvas& canvas) {
    constexpr double length = 15.0;
    canvas.useViewBox(-0.07, 0, 0.07, length);
    paintField(canvas, [](double x, double y) {
        const double along = y / length; // 0 at the muzzle, 1 at the far end
        const double strength = std::pow(1 - along, 1.4);
        const double ripple = 0.85 + 0.15 * std::cos(y * 9.0);
        const double across = std::fabs(x) / 0.07;
        const double core = std::exp(-across * across * 40);
        const double halo = std::exp(-across * across * 5);
        const double flare = std::exp(-y * 6) * std::exp(-across * across * 4);
        // Soft at the muzzle end and along the sides, so the quad's edges never show.
        const double edges = smoothstep(0.0, 0.3, y) * smoothstep(0.95, 0.7, across);
        const double light = (strength * ripple * (core + 0.6 * halo) + flare) * edges;
        const Rgb c = mix(laserGreen, laserCore, std::min(1.0, core * 1.2 + flare));
        return Rgba{c.r, c.g, c.b, std::min(1.0, light)};
    });
}

} // namespace

std::vector<Artwork> shotArtworks() {
    return {
        {"Weapons/Missile.png", 16, 64, Orientation::Mirrored, paintMissile},
        {"Weapons/DestroyerBullet.png", 16, 64, Orientation::Mirrored, paintDestroyerBullet},
        {"Weapons/Laser.png", 16, 256, Orientation::Mirrored, paintLaser},
    };
}
