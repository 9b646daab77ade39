// The cockpit panel across the top of the view and the small pictures the game lays on it.
//
// Background: drawn in the game's view units at depth 3, where the strip spans x -1.685 to
// 1.685 and y 0.435 to 1.225. The game draws its own readouts over it, so the panel gives each a
// place to sit: the weapon bay with three slots at the left (slot centres x -1.57, -1.38, -1.19,
// y 1.11, their green numbers just right of each slot), the dark radar screen left of centre
// (the game's grid spans x -0.72 to 0.31, y 0.73 to 1.15), the boss bar box right of centre
// (ticks at y 0.77 from x 0.48, "Boss Life:" above), and at the right two pale readouts under the
// dark blue "Lives:" with its ship icons and "Score:" with the number.
//
// The slot pictures are blueprints of the three weapons; Unavailable is a padlocked plate for a
// slot not yet won; ShipLife is the ship in miniature.

#include "catalogue.h"
#include "field.h"
#include "hull_outline.h"
#include "noise.h"
#include "shapes.h"

#include <cmath>

namespace {

using namespace palette;

constexpr double stripLeft = -1.685;
constexpr double stripRight = 1.685;
constexpr double stripBottom = 0.435;
constexpr double stripTop = 1.225;

// --- Panel parts ----------------------------------------------------------------------------

void panelSilhouette(cairo_t* cr) {
    polygon(cr, {{stripLeft, stripTop},
                 {stripRight, stripTop},
                 {stripRight, 0.45},
                 {1.02, 0.45},
                 {0.9, 0.645},
                 {-0.88, 0.645},
                 {-1.0, 0.45},
                 {stripLeft, 0.45}});
}

// A box sunk into the panel: shadow along its top edge, light along its bottom lip.
void recess(cairo_t* cr, double left, double bottom, double right, double top, double radius,
            Rgb floor) {
    roundedRect(cr, left, bottom, right, top, radius);
    setColour(cr, panelEdge, 0.7);
    strokePixelsPreserve(cr, 2.5);
    setLinear(cr, {0, top}, {0, bottom},
              {{0, scaled(floor, 0.4), 1}, {0.25, floor, 1}, {1, mix(floor, panelMid, 0.3), 1}});
    cairo_fill(cr);
    cairo_move_to(cr, left + radius, bottom);
    cairo_line_to(cr, right - radius, bottom);
    setColour(cr, hullLight, 0.45);
    strokePixels(cr, 1);
}

// A raised frame round a screen or readout, lit from above.
void bezel(cairo_t* cr, double left, double bottom, double right, double top, double radius) {
    roundedRect(cr, left, bottom, right, top, radius);
    setLinear(cr, {0, top}, {0, bottom},
              {{0, panelEdge, 1}, {0.5, panelMid, 1}, {1, panelDark, 1}});
    cairo_fill_preserve(cr);
    setColour(cr, steelShadow, 1);
    strokePixels(cr, 1.5);
    cairo_move_to(cr, left + radius, top - 0.004);
    cairo_line_to(cr, right - radius, top - 0.004);
    setColour(cr, hullLight, 0.6);
    strokePixels(cr, 1);
}

void screw(cairo_t* cr, Point at) {
    cairo_arc(cr, at.x, at.y, 0.011, 0, 2 * pi);
    setLinear(cr, {at.x - 0.01, at.y + 0.01}, {at.x + 0.01, at.y - 0.01},
              {{0, hullLight, 1}, {1, hullDark, 1}});
    cairo_fill(cr);
    cairo_move_to(cr, at.x - 0.007, at.y - 0.004);
    cairo_line_to(cr, at.x + 0.007, at.y + 0.004);
    setColour(cr, steelShadow, 1);
    strokePixels(cr, 1);
}

void seam(cairo_t* cr, Point from, Point to) {
    cairo_move_to(cr, from.x, from.y);
    cairo_line_to(cr, to.x, to.y);
    setColour(cr, steelShadow, 0.9);
    strokePixels(cr, 1.2);
    cairo_move_to(cr, from.x + 0.004, from.y);
    cairo_line_to(cr, to.x + 0.004, to.y);
    setColour(cr, panelEdge, 0.6);
    strokePixels(cr, 1);
}

void hazardBand(cairo_t* cr, double left, double bottom, double right, double top) {
    cairo_save(cr);
    cairo_rectangle(cr, left, bottom, right - left, top - bottom);
    cairo_clip_preserve(cr);
    setColour(cr, scaled(bossOchre, 0.85), 1);
    cairo_fill(cr);
    const double height = top - bottom;
    for (double x = left - height; x < right; x += 2.2 * height) {
        polygon(cr, {{x, bottom}, {x + height, bottom}, {x + 2 * height, top}, {x + height, top}});
    }
    setColour(cr, steelShadow, 1);
    cairo_fill(cr);
    cairo_restore(cr);
}

void indicator(cairo_t* cr, Point at, Rgb colour, double lit) {
    cairo_arc(cr, at.x, at.y, 0.014, 0, 2 * pi);
    setColour(cr, steelShadow, 1);
    cairo_fill(cr);
    glow(cr, at, 0.03, colour, 0.5 * lit);
    cairo_arc(cr, at.x, at.y, 0.009, 0, 2 * pi);
    setColour(cr, mix(scaled(colour, 0.25), colour, lit), 1);
    cairo_fill(cr);
    glow(cr, {at.x - 0.003, at.y + 0.003}, 0.005, white, 0.8 * lit);
}

void grille(cairo_t* cr, double left, double bottom, double right, double top, int slots) {
    const double pitch = (top - bottom) / slots;
    for (int slot = 0; slot < slots; ++slot) {
        const double y = bottom + (slot + 0.5) * pitch;
        roundedRect(cr, left, y - pitch * 0.28, right, y + pitch * 0.28, pitch * 0.25);
        setColour(cr, steelShadow, 1);
        cairo_fill(cr);
        cairo_move_to(cr, left + pitch * 0.3, y - pitch * 0.3);
        cairo_line_to(cr, right - pitch * 0.3, y - pitch * 0.3);
        setColour(cr, panelEdge, 0.7);
        strokePixels(cr, 1);
    }
}

// --- The panel ------------------------------------------------------------------------------

void paintPanelBody(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    panelSilhouette(cr);
    setLinear(cr, {0, stripTop}, {0, stripBottom},
              {{0.0, panelMid, 1}, {0.55, mix(panelMid, panelDark, 0.6), 1}, {1.0, panelDark, 1}});
    cairo_fill(cr);
    // Faint brushing on the metal, kept low so the readouts stay the loudest thing.
    paintField(
        canvas,
        [](double x, double y) {
            const double grain = fractalNoise(x * 6, y * 140, 2, 77);
            return Rgba{1, 1, 1, 0.035 * grain};
        },
        CAIRO_OPERATOR_ATOP);

    cairo_move_to(cr, stripLeft, stripTop - 0.004);
    cairo_line_to(cr, stripRight, stripTop - 0.004);
    setColour(cr, hullLight, 0.5);
    strokePixels(cr, 1.5);

    // Section seams and their screws.
    for (const double x : {-1.0, -0.84, 0.4, 0.84, 1.04}) {
        const double bottom = std::fabs(x) > 0.95 ? 0.47 : 0.66;
        seam(cr, {x, stripTop - 0.01}, {x, bottom});
    }
    for (const Point at : {Point{-1.635, 0.475}, Point{1.635, 0.475}, Point{-0.92, 0.68},
                           Point{0.92, 0.68}, Point{-0.92, 1.2}, Point{0.92, 1.2}}) {
        screw(cr, at);
    }
}

void paintTrim(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    // The lower edge glows in rail blue, like the tunnel beyond it.
    cairo_move_to(cr, stripLeft, 0.455);
    cairo_line_to(cr, -1.0, 0.455);
    cairo_line_to(cr, -0.885, 0.655);
    cairo_line_to(cr, 0.895, 0.655);
    cairo_line_to(cr, 1.02, 0.455);
    cairo_line_to(cr, stripRight, 0.455);
    setColour(cr, accentBlue, 0.3);
    strokePixelsPreserve(cr, 7);
    setColour(cr, accentBlue, 0.9);
    strokePixelsPreserve(cr, 2.5);
    setColour(cr, Rgb{0.8, 0.95, 1.0}, 1);
    strokePixels(cr, 1);
}

void paintWeaponBay(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    // The strip is a little wider than the view (which ends at x -1.657), so the bay keeps
    // inside that.
    bezel(cr, -1.652, 1.0, -1.06, 1.215, 0.025);
    recess(cr, -1.637, 1.02, -1.08, 1.195, 0.015, Rgb{0.03, 0.045, 0.05});
    // One cell per weapon, each a slot plate with room for its number at the lower right.
    for (const double centre : {-1.57, -1.38, -1.19}) {
        roundedRect(cr, centre - 0.065, 1.04, centre + 0.065, 1.18, 0.01);
        setLinear(cr, {0, 1.18}, {0, 1.04},
                  {{0, Rgb{0.05, 0.08, 0.1}, 1}, {1, Rgb{0.08, 0.11, 0.13}, 1}});
        cairo_fill(cr);
    }
    for (const double x : {-1.475, -1.285}) {
        seam(cr, {x, 1.185}, {x, 1.03});
    }

    // Below the bay: arming lights, a hazard band and cooling vents.
    indicator(cr, {-1.6, 0.93}, flameYellow, 1.0);
    indicator(cr, {-1.53, 0.93}, navGreen, 1.0);
    indicator(cr, {-1.46, 0.93}, navRed, 0.3);
    recess(cr, -1.4, 0.905, -1.1, 0.955, 0.008, Rgb{0.02, 0.04, 0.06});
    for (int bar = 0; bar < 9; ++bar) {
        const double x = -1.385 + bar * 0.031;
        cairo_rectangle(cr, x, 0.915, 0.02, 0.03);
        setColour(cr, accentBlue, bar < 6 ? 0.9 : 0.2);
        cairo_fill(cr);
    }
    hazardBand(cr, -1.637, 0.845, -1.08, 0.875);
    grille(cr, -1.62, 0.52, -1.12, 0.8, 7);
}

void paintRadarScreen(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    constexpr double left = -0.76, bottom = 0.7, right = 0.35, top = 1.175;
    bezel(cr, left - 0.035, bottom - 0.03, right + 0.035, top + 0.03, 0.04);
    roundedRect(cr, left, bottom, right, top, 0.02);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    setRadial(cr, {-0.2, 0.93}, 0.75,
              {{0, Rgb{0.04, 0.13, 0.09}, 1}, {0.7, screenGlass, 1}, {1, Rgb{0.0, 0.02, 0.02}, 1}});
    cairo_fill(cr);
    // Range rings round the ship's place at the foot of the screen, and scan lines.
    for (int ring = 1; ring <= 4; ++ring) {
        cairo_arc(cr, -0.31, 0.725, ring * 0.115, 0, pi);
        setColour(cr, radarGreen, 0.12);
        strokePixels(cr, 1);
    }
    for (double y = bottom; y < top; y += 2 * canvas.pixelY()) {
        cairo_move_to(cr, left, y);
        cairo_line_to(cr, right, y);
    }
    setColour(cr, steelShadow, 0.25);
    strokePixels(cr, 1);
    // Glass reflection across the upper left, a soft diagonal sheen.
    cairo_rectangle(cr, left, bottom, right - left, top - bottom);
    setLinear(cr, {left, top}, {left + 0.35, top - 0.45},
              {{0, white, 0.1}, {0.5, white, 0.04}, {1, white, 0.0}});
    cairo_fill(cr);
    cairo_restore(cr);
    for (const Point at :
         {Point{left - 0.018, bottom - 0.012}, Point{right + 0.018, bottom - 0.012},
          Point{left - 0.018, top + 0.012}, Point{right + 0.018, top + 0.012}}) {
        screw(cr, at);
    }
}

void paintBossBox(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    hazardBand(cr, 0.445, 1.085, 0.8, 1.11);
    bezel(cr, 0.43, 0.705, 0.815, 1.075, 0.02);
    recess(cr, 0.45, 0.725, 0.795, 1.055, 0.012, Rgb{0.05, 0.02, 0.02});
    // The groove the boss's life bar lies in; it empties from the right.
    recess(cr, 0.47, 0.748, 0.75, 0.803, 0.006, Rgb{0.01, 0.0, 0.0});
    roundedRect(cr, 0.45, 0.725, 0.795, 1.055, 0.012);
    setColour(cr, bossOchre, 0.8);
    strokePixels(cr, 1);
}

void paintBetweenParts(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    // Left of the radar: a column of rail-blue status lamps.
    recess(cr, -0.975, 0.7, -0.865, 1.17, 0.015, Rgb{0.02, 0.03, 0.05});
    for (int lamp = 0; lamp < 6; ++lamp) {
        indicator(cr, {-0.92, 0.74 + lamp * 0.075}, accentBlue, lamp % 4 == 1 ? 0.35 : 1.0);
    }
    // Right of the boss box: vents.
    grille(cr, 0.86, 0.72, 1.01, 1.18, 8);
}

// A pale backlit readout: the game prints dark blue on it.
void readout(cairo_t* cr, double left, double bottom, double right, double top) {
    bezel(cr, left - 0.02, bottom - 0.02, right + 0.02, top + 0.015, 0.02);
    roundedRect(cr, left, bottom, right, top, 0.012);
    setLinear(cr, {0, top}, {0, bottom},
              {{0, scaled(readoutBack, 0.72), 1},
               {0.12, readoutBack, 1},
               {1, mix(readoutBack, accentBlue, 0.2), 1}});
    cairo_fill(cr);
    polygon(cr, {{left, top}, {left + 0.2, top}, {left + 0.1, bottom}, {left, bottom}});
    setColour(cr, white, 0.08);
    cairo_fill(cr);
}

void paintReadouts(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    readout(cr, 1.075, 0.905, 1.625, 1.2);
    readout(cr, 1.075, 0.625, 1.625, 0.875);
}

void paintPanel(Canvas& canvas) {
    canvas.useViewBox(stripLeft, stripBottom, stripRight, stripTop);
    paintPanelBody(canvas);
    paintWeaponBay(canvas);
    paintBetweenParts(canvas);
    paintRadarScreen(canvas);
    paintBossBox(canvas);
    paintReadouts(canvas);
    paintTrim(canvas);
}

// --- Slot pictures --------------------------------------------------------------------------

// Slot quads are 0.1 by 0.12 in view units (the laser's is 0.075 wide, narrower).
constexpr double slotHalfHeight = 0.06;

// The plate every slot picture is drawn on, kept clear of the picture's edges.
void slotPlate(Canvas& canvas, double left, double right) {
    const double insetX = 2.5 * canvas.pixelX();
    const double insetY = 2.5 * canvas.pixelY();
    roundedRect(canvas.cr(), left + insetX, -slotHalfHeight + insetY, right - insetX,
                slotHalfHeight - insetY, 0.008);
}

void blueprintCard(Canvas& canvas, double left, double right) {
    cairo_t* cr = canvas.cr();
    constexpr double bottom = -slotHalfHeight;
    constexpr double top = slotHalfHeight;
    slotPlate(canvas, left, right);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    setRadial(cr, {(left + right) / 2, 0.01}, 0.09,
              {{0, mix(blueprint, blueprintLine, 0.12), 1}, {1, blueprint, 1}});
    cairo_fill(cr);
    for (double x = 0; x < right; x += 0.01) {
        for (const double at : {x, -x}) {
            cairo_move_to(cr, at, bottom);
            cairo_line_to(cr, at, top);
        }
    }
    for (double y = 0; y < top; y += 0.01) {
        for (const double at : {y, -y}) {
            cairo_move_to(cr, left, at);
            cairo_line_to(cr, right, at);
        }
    }
    setColour(cr, blueprintLine, 0.14);
    strokePixels(cr, 1);
    cairo_restore(cr);
    slotPlate(canvas, left, right);
    setColour(cr, blueprintLine, 0.8);
    strokePixels(cr, 1.5);
}

// A dimension line with end ticks, as draughtsmen draw them.
void dimension(cairo_t* cr, Point from, Point to) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    const double nx = -dy / length * 0.006;
    const double ny = dx / length * 0.006;
    cairo_move_to(cr, from.x, from.y);
    cairo_line_to(cr, to.x, to.y);
    for (const Point end : {from, to}) {
        cairo_move_to(cr, end.x - nx, end.y - ny);
        cairo_line_to(cr, end.x + nx, end.y + ny);
    }
    setColour(cr, blueprintLine, 0.6);
    strokePixels(cr, 1);
}

void ink(cairo_t* cr) {
    setColour(cr, blueprintLine, 1);
    strokePixels(cr, 1.5);
}

void paintLauncherSketch(Canvas& canvas) {
    canvas.useViewBox(-0.05, -slotHalfHeight, 0.05, slotHalfHeight);
    blueprintCard(canvas, -0.05, 0.05);
    cairo_t* cr = canvas.cr();
    cairo_rectangle(cr, -0.032, -0.03, 0.064, 0.05);
    ink(cr);
    for (const double x : {-0.015, 0.015}) {
        cairo_rectangle(cr, x - 0.012, -0.018, 0.024, 0.052);
        ink(cr);
        cairo_move_to(cr, x - 0.008, 0.034);
        cairo_curve_to(cr, x - 0.008, 0.042, x, 0.046, x, 0.046);
        cairo_curve_to(cr, x, 0.046, x + 0.008, 0.042, x + 0.008, 0.034);
        ink(cr);
    }
    cairo_move_to(cr, -0.032, -0.02);
    cairo_line_to(cr, 0.032, -0.02);
    ink(cr);
    dimension(cr, {-0.032, -0.042}, {0.032, -0.042});
    dimension(cr, {0.042, -0.03}, {0.042, 0.046});
}

void paintDestroyerSketch(Canvas& canvas) {
    canvas.useViewBox(-0.05, -slotHalfHeight, 0.05, slotHalfHeight);
    blueprintCard(canvas, -0.05, 0.05);
    cairo_t* cr = canvas.cr();
    cairo_rectangle(cr, -0.016, -0.048, 0.032, 0.018); // breech
    ink(cr);
    for (int fin = 0; fin < 4; ++fin) {
        cairo_rectangle(cr, -0.024, -0.028 + fin * 0.008, 0.048, 0.004);
    }
    ink(cr);
    for (const double x : {-0.009, 0.005}) {
        cairo_rectangle(cr, x, 0.004, 0.004, 0.036); // the two rails
    }
    ink(cr);
    cairo_rectangle(cr, -0.014, 0.038, 0.028, 0.012); // muzzle brake
    ink(cr);
    cairo_move_to(cr, 0, -0.052);
    cairo_line_to(cr, 0, 0.054);
    constexpr double centreLine[] = {4, 2, 1, 2};
    cairo_set_dash(cr, centreLine, 4, 0);
    setColour(cr, blueprintLine, 0.5);
    strokePixels(cr, 1);
    cairo_set_dash(cr, nullptr, 0, 0);
    dimension(cr, {-0.036, -0.048}, {-0.036, 0.05});
}

void paintLaserSketch(Canvas& canvas) {
    // This slot's quad runs from x -0.03 to 0.045.
    canvas.useViewBox(-0.03, -slotHalfHeight, 0.045, slotHalfHeight);
    blueprintCard(canvas, -0.03, 0.045);
    cairo_t* cr = canvas.cr();
    constexpr double rod = 0.02;
    cairo_rectangle(cr, rod - 0.004, -0.048, 0.008, 0.09);
    ink(cr);
    for (int ring = 0; ring < 4; ++ring) {
        cairo_rectangle(cr, rod - 0.008, -0.02 + ring * 0.016, 0.016, 0.005);
    }
    ink(cr);
    polygon(
        cr,
        {{rod - 0.006, 0.042}, {rod + 0.006, 0.042}, {rod + 0.003, 0.052}, {rod - 0.003, 0.052}});
    ink(cr);
    roundedRect(cr, -0.02, -0.04, 0.006, 0.018, 0.008); // power pack
    ink(cr);
    for (int cell = 0; cell < 3; ++cell) {
        ellipse(cr, {-0.007, -0.028 + cell * 0.017}, 0.006, 0.006);
        ink(cr);
    }
    dimension(cr, {-0.022, 0.03}, {rod + 0.008, 0.03});
}

void paintLockedSlot(Canvas& canvas) {
    canvas.useViewBox(-0.05, -slotHalfHeight, 0.05, slotHalfHeight);
    cairo_t* cr = canvas.cr();
    slotPlate(canvas, -0.05, 0.05);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    setLinear(cr, {-0.05, 0.06}, {0.05, -0.06}, {{0, panelMid, 1}, {1, Rgb{0.06, 0.06, 0.08}, 1}});
    cairo_fill(cr);
    for (double x = -0.12; x < 0.12; x += 0.022) {
        polygon(cr, {{x, -0.06}, {x + 0.01, -0.06}, {x + 0.13, 0.06}, {x + 0.12, 0.06}});
    }
    setColour(cr, bossOchre, 0.18);
    cairo_fill(cr);
    cairo_restore(cr);
    slotPlate(canvas, -0.05, 0.05);
    setColour(cr, panelEdge, 1);
    strokePixels(cr, 1.5);

    // The padlock.
    cairo_arc(cr, 0, 0.008, 0.015, 0, pi);
    cairo_move_to(cr, -0.015, 0.008);
    cairo_line_to(cr, -0.015, -0.004);
    cairo_move_to(cr, 0.015, 0.008);
    cairo_line_to(cr, 0.015, -0.004);
    setColour(cr, steelShadow, 1);
    strokePixelsPreserve(cr, 6);
    setColour(cr, hullLight, 1);
    strokePixels(cr, 3);
    glow(cr, {0, -0.018}, 0.04, wedgeRed, 0.5);
    roundedRect(cr, -0.025, -0.04, 0.025, -0.002, 0.005);
    setLinear(cr, {-0.025, 0}, {0.025, 0},
              {{0, flameYellow, 1}, {0.4, bossOchre, 1}, {1, scaled(bossOchre, 0.45), 1}});
    cairo_fill_preserve(cr);
    setColour(cr, steelShadow, 1);
    strokePixels(cr, 1.5);
    cairo_arc(cr, 0, -0.016, 0.005, 0, 2 * pi);
    cairo_fill(cr);
    cairo_rectangle(cr, -0.002, -0.03, 0.004, 0.014);
    cairo_fill(cr);
}

void paintLifeIcon(Canvas& canvas) {
    canvas.useViewBox(-hull::halfWidth, hull::tail, hull::halfWidth, hull::nose);
    cairo_t* cr = canvas.cr();
    hull::keepClearOfEdges(cr, canvas.pixelX(), canvas.pixelY(), 2);
    hull::outline(cr);
    setLinear(cr, {-0.7, 1}, {0.7, -1.5}, {{0, hullLight, 1}, {0.6, hullMid, 1}, {1, hullDark, 1}});
    cairo_fill(cr);
    for (const double side : {-1.0, 1.0}) {
        hull::enginePod(cr, side);
        setLinear(cr, {side * 0.35 - 0.1, 0}, {side * 0.35 + 0.1, 0},
                  {{0, hullDark, 1}, {0.35, hullLight, 1}, {1, steelShadow, 1}});
        cairo_fill(cr);
        cairo_move_to(cr, side * 0.27, -0.07);
        cairo_line_to(cr, side * 0.55, -0.7);
        setColour(cr, accentBlue, 1);
        strokePixels(cr, 1.5);
        ellipseGlow(cr, {side * hull::engineX, -1.45}, 0.12, 0.1, thrustBlue, 1);
    }
    hull::canopy(cr);
    setColour(cr, canopyGlass, 1);
    cairo_fill(cr);
    ellipse(cr, {-0.03, 0.45}, 0.025, 0.1);
    setColour(cr, white, 0.7);
    cairo_fill(cr);
    hull::outline(cr);
    setColour(cr, steelShadow, 1);
    strokePixels(cr, 1.5);
}

} // namespace

std::vector<Artwork> hudArtworks() {
    return {
        {"BG/Background.png", 1024, 256, Orientation::Mirrored, paintPanel},
        {"BG/MissileLauncherSkeleton.png", 64, 64, Orientation::Mirrored, paintLauncherSketch},
        {"BG/MeteorDestroyerSketch.png", 64, 64, Orientation::Mirrored, paintDestroyerSketch},
        {"BG/LaserSketch.png", 64, 64, Orientation::Mirrored, paintLaserSketch},
        {"BG/Unavailable.png", 64, 64, Orientation::Mirrored, paintLockedSlot},
        {"BG/ShipLife.png", 32, 64, Orientation::Mirrored, paintLifeIcon},
    };
}
