// The three weapons mounted on the ship's nose, seen from above, muzzle forward (up):
//   MissileLauncher  a squat twin-tube pod with two red warheads in its mouths;
//   MeteorDestroyer  a long rail cannon, amber plasma between two rails, finned heat sinks;
//   LaserGun         a thin emitter rod with glowing focus rings and a power pack slung on its
//                    left, ending in an emerald lens.
// Each is drawn in the ship's units (x across, y forward from the ship's centre), over the
// stretch of its quad. The hull covers everything behind the nose (y below 1), so the breeches
// there are only sketched.

#include "catalogue.h"
#include "shapes.h"

namespace {

using namespace palette;

// A metal cylinder lying along y, lit from the left.
void cylinder(cairo_t* cr, double left, double right, double bottom, double top, Rgb light,
              Rgb dark) {
    cairo_rectangle(cr, left, bottom, right - left, top - bottom);
    setLinear(cr, {left, 0}, {right, 0},
              {{0.0, mix(dark, light, 0.5), 1},
               {0.28, light, 1},
               {0.6, mix(light, dark, 0.55), 1},
               {1.0, dark, 1}});
    cairo_fill(cr);
}

void band(cairo_t* cr, double left, double right, double y, double thickness, Rgb colour) {
    cairo_rectangle(cr, left, y - thickness / 2, right - left, thickness);
    setLinear(cr, {left, 0}, {right, 0},
              {{0.0, scaled(colour, 0.6), 1}, {0.3, colour, 1}, {1.0, scaled(colour, 0.35), 1}});
    cairo_fill(cr);
}

void hazardStripes(Canvas& canvas, double left, double right, double bottom, double top) {
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_rectangle(cr, left, bottom, right - left, top - bottom);
    cairo_clip_preserve(cr);
    setColour(cr, bossOchre, 1);
    cairo_fill(cr);
    const double step = (right - left) / 5;
    for (double x = left - (top - bottom); x < right; x += step) {
        polygon(cr, {{x, bottom},
                     {x + step / 2, bottom},
                     {x + step / 2 + (top - bottom), top},
                     {x + (top - bottom), top}});
    }
    setColour(cr, steelShadow, 1);
    cairo_fill(cr);
    cairo_restore(cr);
}

// A missile lying in its rail, nose forward, as the launcher shows it loaded.
void loadedMissile(cairo_t* cr, double x, double tail, double nose) {
    constexpr double radius = 0.018;
    mirroredPolygonAt(cr, x,
                      {{0, tail + 0.05}, {0.035, tail + 0.005}, {0.035, tail}, {0, tail + 0.012}});
    setLinear(cr, {x - 0.035, 0}, {x + 0.035, 0},
              {{0, hullMid, 1}, {0.4, hullLight, 1}, {1, hullDark, 1}});
    cairo_fill(cr);
    cairo_move_to(cr, x - radius, tail);
    cairo_line_to(cr, x - radius, nose - 0.05);
    cairo_curve_to(cr, x - radius, nose - 0.02, x - 0.006, nose, x, nose);
    cairo_curve_to(cr, x + 0.006, nose, x + radius, nose - 0.02, x + radius, nose - 0.05);
    cairo_line_to(cr, x + radius, tail);
    cairo_close_path(cr);
    setLinear(cr, {x - radius, 0}, {x + radius, 0},
              {{0, hullMid, 1}, {0.3, white, 1}, {0.65, hullMid, 1}, {1, hullDark, 1}});
    cairo_fill(cr);
    cairo_save(cr);
    cairo_rectangle(cr, x - radius, nose - 0.06, 2 * radius, 0.07);
    cairo_clip(cr);
    cairo_move_to(cr, x - radius, nose - 0.05);
    cairo_curve_to(cr, x - radius, nose - 0.02, x - 0.006, nose, x, nose);
    cairo_curve_to(cr, x + 0.006, nose, x + radius, nose - 0.02, x + radius, nose - 0.05);
    cairo_line_to(cr, x + radius, nose - 0.07);
    cairo_line_to(cr, x - radius, nose - 0.07);
    cairo_close_path(cr);
    setLinear(cr, {x - radius, 0}, {x + radius, 0},
              {{0, emberRed, 1}, {0.35, Rgb{1.0, 0.4, 0.3}, 1}, {1, scaled(wedgeRed, 0.6), 1}});
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_rectangle(cr, x - radius, tail + 0.1, 2 * radius, 0.012);
    setColour(cr, bossOchre, 1);
    cairo_fill(cr);
}

void paintMissileLauncher(Canvas& canvas) {
    canvas.useViewBox(-0.125, 1.0, 0.125, 1.5);
    cairo_t* cr = canvas.cr();

    // Mounting bracket on the nose, then the armoured pod with chamfered front corners.
    cairo_rectangle(cr, -0.07, 1.012, 0.14, 0.05);
    setColour(cr, steelShadow, 1);
    cairo_fill(cr);
    mirroredPolygon(cr, {{0.07, 1.47}, {0.112, 1.42}, {0.112, 1.04}, {0.09, 1.025}});
    setLinear(cr, {-0.112, 0}, {0.112, 0},
              {{0, gunmetal, 1}, {0.22, hullMid, 1}, {0.7, gunmetal, 1}, {1, steelShadow, 1}});
    cairo_fill_preserve(cr);
    setColour(cr, steelShadow, 1);
    strokePixels(cr, 1);
    hazardStripes(canvas, -0.1, 0.1, 1.04, 1.08);

    // Two open rails, each with a missile ready in it.
    for (const double side : {-1.0, 1.0}) {
        const double x = side * 0.05;
        roundedRect(cr, x - 0.036, 1.09, x + 0.036, 1.47, 0.01);
        setLinear(cr, {x - 0.036, 0}, {x + 0.036, 0},
                  {{0, steelShadow, 1}, {0.5, Rgb{0.03, 0.03, 0.04}, 1}, {1, steelShadow, 1}});
        cairo_fill(cr);
        loadedMissile(cr, x, 1.11, 1.475);
    }
    // Bolted armour strap across the middle.
    cairo_rectangle(cr, -0.112, 1.24, 0.224, 0.03);
    setLinear(cr, {0, 1.27}, {0, 1.24}, {{0, hullLight, 1}, {1, hullDark, 1}});
    cairo_fill(cr);
    for (const double x : {-0.095, 0.0, 0.095}) {
        ellipseGlow(cr, {x, 1.255}, 0.008, 0.008, white, 0.9);
    }
    ellipseGlow(cr, {0, 1.44}, 0.012, 0.012, navRed, 1);
}

void paintMeteorDestroyer(Canvas& canvas) {
    canvas.useViewBox(-0.125, 0.5, 0.125, 3.5);
    cairo_t* cr = canvas.cr();

    // Breech and magazine, under the hull.
    roundedRect(cr, -0.1, 0.55, 0.1, 1.3, 0.03);
    setLinear(cr, {-0.1, 0}, {0.1, 0}, {{0, gunmetal, 1}, {0.3, hullMid, 1}, {1, steelShadow, 1}});
    cairo_fill(cr);

    // Heat sinks: fins with the glow of the charging slug between them.
    cairo_rectangle(cr, -0.085, 1.15, 0.17, 0.85);
    setColour(cr, flameOrange, 1);
    cairo_fill(cr);
    ellipseGlow(cr, {0, 1.58}, 0.1, 0.5, flameYellow, 0.9);
    for (int fin = 0; fin < 8; ++fin) {
        const double y = 1.2 + fin * 0.1;
        roundedRect(cr, -0.108, y - 0.03, 0.108, y + 0.03, 0.01);
        setLinear(
            cr, {-0.108, 0}, {0.108, 0},
            {{0, hullMid, 1}, {0.25, hullLight, 1}, {0.65, gunmetal, 1}, {1, steelShadow, 1}});
        cairo_fill(cr);
    }

    // Twin rails with the plasma channel between them.
    cairo_rectangle(cr, -0.03, 1.95, 0.06, 1.35);
    setLinear(cr, {-0.03, 0}, {0.03, 0},
              {{0, flameOrange, 0.8}, {0.5, hotWhite, 1}, {1, flameOrange, 0.8}});
    cairo_fill(cr);
    for (const double side : {-1.0, 1.0}) {
        cylinder(cr, side * 0.03 - (side > 0 ? 0 : 0.035), side * 0.03 + (side > 0 ? 0.035 : 0),
                 1.95, 3.3, hullLight, hullDark);
    }
    for (int clamp = 0; clamp < 5; ++clamp) {
        band(cr, -0.085, 0.085, 2.1 + clamp * 0.28, 0.05, gunmetal);
    }

    // Muzzle brake with its side ports, and the bore glowing at the tip.
    roundedRect(cr, -0.095, 3.24, 0.095, 3.46, 0.02);
    setLinear(cr, {-0.095, 0}, {0.095, 0},
              {{0, gunmetal, 1}, {0.25, hullLight, 1}, {0.6, hullMid, 1}, {1, steelShadow, 1}});
    cairo_fill(cr);
    for (const double side : {-1.0, 1.0}) {
        for (const double y : {3.3, 3.39}) {
            cairo_rectangle(cr, side > 0 ? 0.04 : -0.095, y - 0.02, 0.055, 0.04);
            setColour(cr, steelShadow, 1);
            cairo_fill(cr);
            ellipseGlow(cr, {side * 0.07, y}, 0.03, 0.04, flameOrange, 0.8);
        }
    }
    ellipseGlow(cr, {0, 3.44}, 0.06, 0.05, flameYellow, 1);
    ellipseGlow(cr, {0, 3.45}, 0.025, 0.03, hotWhite, 1);
}

void paintLaserGun(Canvas& canvas) {
    // The quad is offset to the left of the ship's axis; the rod itself lies on the axis, where
    // the beam starts, and the power pack hangs on the left.
    canvas.useViewBox(-0.45, 0.5, 0.05, 3.5);
    cairo_t* cr = canvas.cr();

    // Struts and a conduit from the pack to the rod.
    for (const double y : {1.05, 2.05}) {
        cairo_rectangle(cr, -0.14, y - 0.03, 0.12, 0.06);
        setLinear(cr, {0, y + 0.03}, {0, y - 0.03}, {{0, hullMid, 1}, {1, steelShadow, 1}});
        cairo_fill(cr);
    }
    cairo_move_to(cr, -0.2, 2.3);
    cairo_curve_to(cr, -0.2, 2.5, -0.05, 2.45, -0.02, 2.6);
    setColour(cr, steelShadow, 1);
    strokePixelsPreserve(cr, 4);
    setColour(cr, laserGreen, 0.9);
    strokePixels(cr, 1.5);

    // The power pack: a capsule housing with three charged cells glowing through its windows.
    roundedRect(cr, -0.415, 0.7, -0.12, 2.34, 0.12);
    setLinear(cr, {-0.42, 0}, {-0.12, 0},
              {{0, hullDark, 1}, {0.25, hullLight, 1}, {0.55, hullMid, 1}, {1, steelShadow, 1}});
    cairo_fill_preserve(cr);
    setColour(cr, steelShadow, 1);
    strokePixels(cr, 1);
    for (int cell = 0; cell < 3; ++cell) {
        const double y = 1.25 + cell * 0.37;
        roundedRect(cr, -0.36, y - 0.14, -0.18, y + 0.14, 0.06);
        setColour(cr, steelShadow, 1);
        cairo_fill(cr);
        ellipseGlow(cr, {-0.27, y}, 0.1, 0.2, laserGreen, 1);
        ellipseGlow(cr, {-0.28, y + 0.03}, 0.03, 0.07, laserCore, 1);
    }
    for (const double y : {0.9, 2.18}) {
        band(cr, -0.41, -0.13, y, 0.04, gunmetal);
    }

    // Emitter rod with its focus rings.
    cylinder(cr, -0.03, 0.03, 0.6, 3.3, hullLight, hullDark);
    for (int ring = 0; ring < 5; ++ring) {
        const double y = 1.4 + ring * 0.4;
        ellipseGlow(cr, {0, y}, 0.045, 0.09, laserGreen, 0.7);
        band(cr, -0.04, 0.04, y, 0.05, gunmetal);
        cairo_rectangle(cr, -0.04, y - 0.008, 0.08, 0.016);
        setColour(cr, laserCore, 1);
        cairo_fill(cr);
    }

    // The lens at the tip.
    polygon(cr, {{-0.04, 3.28}, {0.04, 3.28}, {0.025, 3.46}, {-0.025, 3.46}});
    setLinear(
        cr, {-0.04, 0}, {0.04, 0},
        {{0, scaled(laserGreen, 0.5), 1}, {0.4, laserCore, 1}, {1, scaled(laserGreen, 0.4), 1}});
    cairo_fill(cr);
    ellipseGlow(cr, {0, 3.42}, 0.045, 0.07, laserGreen, 1);
    ellipseGlow(cr, {0, 3.44}, 0.02, 0.03, white, 1);
}

} // namespace

std::vector<Artwork> weaponArtworks() {
    return {
        {"Weapons/MissileLauncher.png", 64, 64, Orientation::Mirrored, paintMissileLauncher},
        {"Weapons/MeteorDestroyer.png", 32, 128, Orientation::Mirrored, paintMeteorDestroyer},
        {"Weapons/LaserGun.png", 64, 128, Orientation::Mirrored, paintLaserGun},
    };
}
