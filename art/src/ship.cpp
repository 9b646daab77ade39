// Ship1 .. Ship5: the player's hull seen from above, nose forward, one picture per number of
// lives left: pristine at five, then dents and scorch, a crack and sparks, a panel torn off, and
// at one life a wreck with its right wingtip gone and the left engine burning. Each state keeps
// all the damage of the states before it, so losing a life only ever adds wounds.

#include "catalogue.h"
#include "field.h"
#include "hull_outline.h"
#include "noise.h"
#include "shapes.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace palette;

// Light comes from the upper left, as on every picture of the game.
void paintWings(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    for (const double side : {-1.0, 1.0}) {
        const double shade = side < 0 ? 1.0 : 0.88;
        hull::wing(cr, side);
        setLinear(cr, {side * 0.2, 0.2}, {side * 0.7, -1.0},
                  {{0.0, scaled(hullLight, shade), 1},
                   {0.55, scaled(hullMid, shade), 1},
                   {1.0, scaled(mix(hullMid, hullDark, 0.6), shade), 1}});
        cairo_fill(cr);

        // Panel seams: a dark groove with a lit lower lip.
        const auto seam = [&](Point a, Point b) {
            cairo_move_to(cr, a.x, a.y);
            cairo_line_to(cr, b.x, b.y);
            setColour(cr, steelShadow, 0.55);
            strokePixels(cr, 1.0);
            cairo_move_to(cr, a.x, a.y - canvas.pixelY());
            cairo_line_to(cr, b.x, b.y - canvas.pixelY());
            setColour(cr, hullLight, 0.35);
            strokePixels(cr, 1.0);
        };
        seam({side * 0.215, 0.02}, {side * 0.575, -0.8});
        seam({side * 0.21, -0.8}, {side * 0.66, -0.93});
        seam({side * 0.36, -0.3}, {side * 0.36, -0.85});

        // Rail-blue light strip inside the leading edge, the squadron's colour.
        polygon(cr, {{side * 0.255, -0.06},
                     {side * 0.275, -0.06},
                     {side * 0.55, -0.69},
                     {side * 0.53, -0.69}});
        setColour(cr, accentBlue, 0.95);
        cairo_fill(cr);
        cairo_move_to(cr, side * 0.265, -0.06);
        cairo_line_to(cr, side * 0.54, -0.69);
        setColour(cr, accentBlue, 0.25);
        strokePixels(cr, 6);

        // The leading edge catches the light.
        cairo_move_to(cr, side * 0.26, 0.1);
        cairo_line_to(cr, side * 0.62, -0.72);
        setColour(cr, white, side < 0 ? 0.7 : 0.4);
        strokePixels(cr, 1.5);
    }
}

void paintEngines(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    for (const double side : {-1.0, 1.0}) {
        const double x = side * hull::engineX;
        hull::enginePod(cr, side);
        setLinear(
            cr, {x - 0.1, 0}, {x + 0.1, 0},
            {{0.0, hullDark, 1}, {0.3, hullLight, 1}, {0.55, hullMid, 1}, {1.0, steelShadow, 1}});
        cairo_fill_preserve(cr);
        setColour(cr, steelShadow, 0.8);
        strokePixels(cr, 1.2);

        // Intake lip at the front of the pod.
        ellipse(cr, {x, -0.52}, 0.055, 0.03);
        setLinear(cr, {x, -0.49}, {x, -0.55}, {{0, steelShadow, 1}, {1, gunmetal, 1}});
        cairo_fill(cr);

        // Bands round the pod.
        for (const double band : {-0.8, -1.18}) {
            cairo_move_to(cr, x - 0.1, band);
            cairo_curve_to(cr, x - 0.05, band - 0.025, x + 0.05, band - 0.025, x + 0.1, band);
            setColour(cr, steelShadow, 0.7);
            strokePixels(cr, 1.5);
        }

        // Tail fin: a thin blade standing up from the pod, lit on its left face.
        cairo_move_to(cr, x + side * 0.02, -0.92);
        cairo_line_to(cr, x + side * 0.05, -1.36);
        setColour(cr, steelShadow, 0.6);
        strokePixels(cr, 4);
        cairo_move_to(cr, x + side * 0.02 - canvas.pixelX(), -0.92);
        cairo_line_to(cr, x + side * 0.05 - canvas.pixelX(), -1.36);
        setColour(cr, hullLight, 1);
        strokePixels(cr, 2);

        // Nozzle: dark petals round a hot exit that the thrust flame continues.
        polygon(cr, {{x - 0.085, -1.38}, {x + 0.085, -1.38}, {x + 0.068, -1.5}, {x - 0.068, -1.5}});
        setLinear(cr, {x - 0.085, 0}, {x + 0.085, 0},
                  {{0, steelShadow, 1}, {0.35, gunmetal, 1}, {1, steelShadow, 1}});
        cairo_fill(cr);
        for (int petal = -2; petal <= 2; ++petal) {
            cairo_move_to(cr, x + petal * 0.032, -1.39);
            cairo_line_to(cr, x + petal * 0.026, -1.49);
            setColour(cr, steelShadow, 0.8);
            strokePixels(cr, 1);
        }
        ellipseGlow(cr, {x, -1.46}, 0.09, 0.035, thrustBlue, 0.9);
        ellipseGlow(cr, {x, -1.465}, 0.05, 0.022, thrustCore, 1.0);
    }
}

void paintFuselage(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    // Soft shadow where the body meets the wings (and nowhere outside the hull).
    cairo_save(cr);
    hull::outline(cr);
    cairo_clip(cr);
    hull::fuselage(cr);
    setColour(cr, steelShadow, 0.3);
    strokePixels(cr, 5);
    cairo_restore(cr);

    hull::fuselage(cr);
    setLinear(cr, {-0.2, 0}, {0.2, 0},
              {{0.0, hullMid, 1},
               {0.3, hullLight, 1},
               {0.5, mix(hullLight, hullMid, 0.5), 1},
               {1.0, hullDark, 1}});
    cairo_fill_preserve(cr);
    setLinear(cr, {0, 1}, {0, -1.4},
              {{0.0, hullDark, 0.0}, {0.6, hullDark, 0.0}, {1.0, hullDark, 0.45}});
    cairo_fill(cr);

    // Dark radome over the nose, with the weapon hardpoint at its tip.
    cairo_save(cr);
    hull::fuselage(cr);
    cairo_clip(cr);
    cairo_rectangle(cr, -0.2, 0.84, 0.4, 0.2);
    setLinear(cr, {-0.1, 0}, {0.1, 0},
              {{0, steelShadow, 1}, {0.35, gunmetal, 1}, {1, steelShadow, 1}});
    cairo_fill(cr);
    cairo_move_to(cr, -0.12, 0.84);
    cairo_line_to(cr, 0.12, 0.84);
    setColour(cr, hullLight, 0.5);
    strokePixels(cr, 1);
    cairo_restore(cr);
    cairo_rectangle(cr, -0.05, 0.94, 0.1, 0.06);
    setColour(cr, steelShadow, 1);
    cairo_fill(cr);
    ellipseGlow(cr, {-0.03, 0.9}, 0.03, 0.02, white, 0.6);

    // Spine behind the canopy.
    cairo_rectangle(cr, -0.03, -1.1, 0.06, 1.2);
    setLinear(cr, {-0.03, 0}, {0.03, 0}, {{0, hullLight, 1}, {0.5, hullMid, 1}, {1, hullDark, 1}});
    cairo_fill(cr);
    for (const double seam : {-0.3, -0.62, -0.95}) {
        cairo_move_to(cr, -0.17, seam);
        cairo_line_to(cr, 0.17, seam);
        setColour(cr, steelShadow, 0.45);
        strokePixels(cr, 1);
    }

    // Intakes either side of the canopy.
    for (const double side : {-1.0, 1.0}) {
        polygon(
            cr,
            {{side * 0.14, 0.3}, {side * 0.2, 0.24}, {side * 0.2, -0.12}, {side * 0.15, -0.06}});
        setLinear(cr, {side * 0.14, 0}, {side * 0.2, 0},
                  {{0, steelShadow, 1}, {1, mix(steelShadow, gunmetal, 0.6), 1}});
        cairo_fill(cr);
        cairo_move_to(cr, side * 0.14, 0.3);
        cairo_line_to(cr, side * 0.15, -0.06);
        setColour(cr, hullLight, 0.6);
        strokePixels(cr, 1);
    }

    // A chevron ahead of the canopy.
    cairo_move_to(cr, -0.07, 0.74);
    cairo_line_to(cr, 0, 0.8);
    cairo_line_to(cr, 0.07, 0.74);
    setColour(cr, accentBlue, 0.9);
    strokePixels(cr, 2);
}

void paintCanopy(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    hull::canopy(cr);
    setColour(cr, steelShadow, 1);
    strokePixelsPreserve(cr, 4);
    setRadial(cr, {-0.03, 0.5}, 0.45,
              {{0.0, mix(canopyGlass, accentBlue, 0.55), 1},
               {0.45, canopyGlass, 1},
               {1.0, scaled(canopyGlass, 0.3), 1}});
    cairo_fill(cr);

    // Reflection of the tunnel lights along the left of the glass.
    cairo_move_to(cr, -0.02, 0.64);
    cairo_curve_to(cr, -0.06, 0.58, -0.07, 0.42, -0.065, 0.3);
    cairo_curve_to(cr, -0.05, 0.4, -0.04, 0.55, -0.02, 0.64);
    cairo_close_path(cr);
    setColour(cr, white, 0.7);
    cairo_fill(cr);
    ellipseGlow(cr, {0.035, 0.2}, 0.03, 0.03, accentBlue, 0.5);

    // Frame bar across the canopy.
    cairo_move_to(cr, -0.085, 0.33);
    cairo_curve_to(cr, -0.03, 0.36, 0.03, 0.36, 0.085, 0.33);
    setColour(cr, gunmetal, 1);
    strokePixels(cr, 2);
}

void paintNavigationLights(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    ellipseGlow(cr, {-0.655, -0.9}, 0.035, 0.035, navRed, 1);
    ellipseGlow(cr, {-0.655, -0.9}, 0.015, 0.012, white, 1);
    ellipseGlow(cr, {0.655, -0.9}, 0.035, 0.035, navGreen, 1);
    ellipseGlow(cr, {0.655, -0.9}, 0.015, 0.012, white, 1);
}

void paintRim(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    hull::outline(cr);
    setColour(cr, steelShadow, 0.9);
    strokePixels(cr, 1.5);
}

// --- Damage -------------------------------------------------------------------------------

void scorch(Canvas& canvas, Point centre, double radius, double strength, std::uint32_t seed) {
    paintField(
        canvas,
        [=](double x, double y) {
            const double d = std::hypot(x - centre.x, (y - centre.y) * 0.8) / radius;
            const double mottle = fractalNoise(x * 30, y * 30, 4, seed);
            const double a = strength * smoothstep(1.0, 0.2, d + (mottle - 0.5) * 0.6);
            const Rgb c = mix(soot, Rgb{0.35, 0.22, 0.12}, smoothstep(0.3, 1.0, d));
            return Rgba{c.r, c.g, c.b, a};
        },
        CAIRO_OPERATOR_ATOP);
}

void dent(Canvas& canvas, Point centre, double radius) {
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    ellipse(cr, centre, radius, radius * 0.8);
    setLinear(cr, {centre.x - radius, centre.y + radius}, {centre.x + radius, centre.y - radius},
              {{0.0, steelShadow, 0.75}, {0.55, steelShadow, 0.25}, {1.0, white, 0.55}});
    cairo_fill(cr);
    cairo_arc(cr, centre.x, centre.y, radius, 0.75 * pi, 1.75 * pi);
    setColour(cr, white, 0.5);
    strokePixels(cr, 1);
    cairo_restore(cr);
}

void sparkBurst(Canvas& canvas, Point centre, int count, std::uint32_t seed) {
    cairo_t* cr = canvas.cr();
    Random random(seed);
    glow(cr, centre, 0.07, flameOrange, 0.8);
    for (int i = 0; i < count; ++i) {
        const double angle = random.range(0, 2 * pi);
        const double length = random.range(0.04, 0.12);
        const Point tip{centre.x + std::cos(angle) * length, centre.y + std::sin(angle) * length};
        spark(cr, {centre.x + std::cos(angle) * 0.01, centre.y + std::sin(angle) * 0.01}, tip, 1.2,
              flameYellow, 0.95);
    }
    glow(cr, centre, 0.015, white, 1);
}

void crack(Canvas& canvas, std::initializer_list<Point> path) {
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    bool first = true;
    for (const Point& p : path) {
        first ? cairo_move_to(cr, p.x, p.y) : cairo_line_to(cr, p.x, p.y);
        first = false;
    }
    setColour(cr, steelShadow, 1);
    strokePixelsPreserve(cr, 1.6);
    cairo_translate(cr, canvas.pixelX(), -canvas.pixelY());
    setColour(cr, white, 0.35);
    strokePixels(cr, 0.8);
    cairo_restore(cr);
}

// A torn outline: each side of the rough shape broken into short jagged steps.
void raggedPolygon(cairo_t* cr, std::initializer_list<Point> corners, double jitter,
                   std::uint32_t seed) {
    Random random(seed);
    const std::vector<Point> points(corners);
    cairo_move_to(cr, points.front().x, points.front().y);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point a = points[i];
        const Point b = points[(i + 1) % points.size()];
        constexpr int steps = 4;
        for (int step = 1; step <= steps; ++step) {
            const double t = double(step) / steps;
            const double kick = step == steps ? 0 : random.range(-jitter, jitter);
            const double nx = -(b.y - a.y);
            const double ny = b.x - a.x;
            cairo_line_to(cr, a.x + (b.x - a.x) * t + nx * kick, a.y + (b.y - a.y) * t + ny * kick);
        }
    }
    cairo_close_path(cr);
}

// A hole where a panel was blown off: a dark cavity with ribs and cut wiring, lit from inside
// by a fire, its torn rim still glowing.
void missingPanel(Canvas& canvas, std::initializer_list<Point> edge, Point centre,
                  std::uint32_t seed) {
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    raggedPolygon(cr, edge, 0.12, seed);
    setColour(cr, soot, 0.6);
    strokePixels(cr, 6);
    raggedPolygon(cr, edge, 0.12, seed);
    cairo_clip_preserve(cr);
    setLinear(cr, {centre.x - 0.1, centre.y + 0.15}, {centre.x + 0.1, centre.y - 0.15},
              {{0, Rgb{0.01, 0.01, 0.015}, 1}, {1, Rgb{0.08, 0.07, 0.07}, 1}});
    cairo_fill(cr);
    glow(cr, {centre.x + 0.02, centre.y - 0.04}, 0.13, flameOrange, 0.55);
    for (const double offset : {-0.06, 0.0, 0.06}) {
        cairo_move_to(cr, centre.x - 0.15, centre.y + offset - 0.05);
        cairo_line_to(cr, centre.x + 0.15, centre.y + offset + 0.05);
        setColour(cr, steelShadow, 1);
        strokePixelsPreserve(cr, 3);
        setColour(cr, gunmetal, 1);
        strokePixelsPreserve(cr, 2);
        setColour(cr, hullMid, 0.5);
        strokePixels(cr, 0.7);
    }
    const Rgb wires[] = {{0.8, 0.15, 0.1}, {0.9, 0.75, 0.2}, {0.2, 0.45, 0.9}};
    for (int i = 0; i < 3; ++i) {
        const double dx = (i - 1) * 0.025;
        cairo_move_to(cr, centre.x - 0.1 + dx, centre.y + 0.08);
        cairo_curve_to(cr, centre.x + dx, centre.y - 0.06, centre.x + 0.03 + dx, centre.y + 0.04,
                       centre.x + 0.09 + dx, centre.y - 0.08);
        setColour(cr, wires[i], 1);
        strokePixels(cr, 1.5);
    }
    cairo_reset_clip(cr);
    raggedPolygon(cr, edge, 0.12, seed);
    setColour(cr, flameOrange, 0.7);
    strokePixels(cr, 1.2);
    cairo_restore(cr);
}

// The right wingtip, shot away: cut out of the picture, with scorched, glowing torn metal and
// the stubs of the spars sticking out of the wound.
void tornWingtip(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    const auto edge = [cr] {
        raggedPolygon(
            cr,
            {{0.4, -0.38}, {0.5, -0.6}, {0.53, -0.82}, {0.58, -1.07}, {0.76, -1.07}, {0.76, -0.38}},
            0.1, 51);
    };
    cairo_save(cr);
    edge();
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    edge();
    setColour(cr, soot, 0.9);
    strokePixelsPreserve(cr, 8);
    setColour(cr, emberRed, 1);
    strokePixelsPreserve(cr, 2.5);
    setColour(cr, flameOrange, 1);
    strokePixels(cr, 1);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (const auto& [from, to] :
         {std::pair<Point, Point>{{0.44, -0.58}, {0.53, -0.6}}, {{0.48, -0.8}, {0.57, -0.84}}}) {
        cairo_move_to(cr, from.x, from.y);
        cairo_line_to(cr, to.x, to.y);
        setColour(cr, steelShadow, 1);
        strokePixelsPreserve(cr, 3);
        setColour(cr, hullMid, 1);
        strokePixels(cr, 1.5);
        glow(cr, to, 0.025, flameOrange, 0.9);
    }
    cairo_restore(cr);
}

// Flames bursting from a holed engine pod and streaming back past the tail.
void engineFire(Canvas& canvas, Point vent) {
    glow(canvas.cr(), vent, 0.2, flameOrange, 0.8);
    paintField(canvas, [vent](double x, double y) {
        constexpr double length = 0.6;
        const double along = (vent.y - y) / length;
        if (along < -0.08 || along > 1) {
            return Rgba{0, 0, 0, 0};
        }
        const double flicker = fractalNoise(x * 22, y * 9, 4, 61);
        const double width = 0.03 + 0.07 * std::sqrt(std::max(0.0, along));
        const double across = (x - vent.x - 0.05 * (flicker - 0.5)) / width;
        const double heat = std::exp(-across * across * 1.6) * (1 - along) *
                            (0.55 + 0.9 * flicker) * smoothstep(-0.08, 0.05, along);
        const Rgb c = heat > 0.6 ? mix(flameYellow, hotWhite, smoothstep(0.6, 1.0, heat))
                                 : mix(emberRed, flameOrange, smoothstep(0.1, 0.6, heat));
        return Rgba{c.r, c.g, c.b, smoothstep(0.08, 0.4, heat)};
    });
    ellipseGlow(canvas.cr(), vent, 0.05, 0.035, hotWhite, 1);
}

// Soot blown back along the hull from a wound.
void sootTrail(Canvas& canvas, Point from, double length, double width, std::uint32_t seed) {
    paintField(
        canvas,
        [=](double x, double y) {
            const double along = (from.y - y) / length;
            const double across = std::fabs(x - from.x) / (width * (0.6 + along));
            const double streaks = fractalNoise(x * 60, y * 8, 3, seed);
            const double a = 0.8 * smoothstep(1.0, 0.0, across) * smoothstep(-0.1, 0.1, along) *
                             smoothstep(1.0, 0.3, along) * (0.4 + 0.6 * streaks);
            return Rgba{soot.r, soot.g, soot.b, a};
        },
        CAIRO_OPERATOR_ATOP);
}

void scratches(Canvas& canvas, Point from, int count) {
    cairo_t* cr = canvas.cr();
    for (int i = 0; i < count; ++i) {
        cairo_move_to(cr, from.x + i * 0.025, from.y - i * 0.035);
        cairo_line_to(cr, from.x + 0.15 + i * 0.02, from.y - 0.09 - i * 0.03);
        setColour(cr, steelShadow, 0.5);
        strokePixelsPreserve(cr, 1.5);
        setColour(cr, white, 0.6);
        strokePixels(cr, 0.7);
    }
}

// Damage by the number of lives lost; every state keeps what the states before it showed.
void paintDamage(Canvas& canvas, int level) {
    if (level >= 1) {
        scorch(canvas, {-0.42, -0.62}, 0.18, level >= 2 ? 0.95 : 0.8, 11);
        dent(canvas, {0.45, -0.5}, 0.07);
        dent(canvas, {-0.33, -1.05}, 0.05);
        scratches(canvas, {0.28, -0.18}, 3);
    }
    if (level >= 2) {
        scorch(canvas, {0.36, -1.05}, 0.2, 0.95, 12);
        dent(canvas, {-0.09, -0.5}, 0.06);
        dent(canvas, {-0.56, -0.86}, 0.05);
        dent(canvas, {0.1, 0.55}, 0.045);
        crack(canvas, {{-0.23, -0.1},
                       {-0.28, -0.2},
                       {-0.26, -0.27},
                       {-0.33, -0.34},
                       {-0.36, -0.44},
                       {-0.42, -0.5}});
        sparkBurst(canvas, {-0.36, -0.44}, 5, 21);
    }
    if (level >= 3) {
        scorch(canvas, {-0.44, -0.5}, 0.28, 1.0, 13);
        missingPanel(canvas,
                     {{-0.3, -0.3},
                      {-0.4, -0.33},
                      {-0.45, -0.4},
                      {-0.55, -0.5},
                      {-0.53, -0.6},
                      {-0.56, -0.7},
                      {-0.44, -0.74},
                      {-0.38, -0.66},
                      {-0.29, -0.6},
                      {-0.26, -0.45}},
                     {-0.41, -0.52}, 71);
        crack(canvas, {{0.04, 0.64}, {0.02, 0.52}, {0.05, 0.43}, {0.02, 0.3}, {0.04, 0.2}});
        scorch(canvas, {0.15, 0.0}, 0.14, 0.8, 15);
        sootTrail(canvas, {0.36, -0.95}, 0.55, 0.09, 31);
        sparkBurst(canvas, {-0.52, -0.66}, 6, 22);
        sparkBurst(canvas, {0.4, -1.1}, 5, 23);
    }
    if (level >= 4) {
        tornWingtip(canvas);
        scorch(canvas, {0.1, -0.8}, 0.2, 1.0, 14);
        missingPanel(canvas,
                     {{0.03, -0.68}, {0.15, -0.66}, {0.18, -0.8}, {0.14, -0.92}, {0.05, -0.9}},
                     {0.1, -0.8}, 72);
        sootTrail(canvas, {-0.35, -0.75}, 0.75, 0.12, 32);
        sootTrail(canvas, {0.0, 0.25}, 0.9, 0.07, 33);
        engineFire(canvas, {-0.35, -0.82});
        sparkBurst(canvas, {0.5, -0.6}, 6, 24);
        sparkBurst(canvas, {0.56, -0.92}, 5, 25);
        sparkBurst(canvas, {0.14, -0.7}, 5, 26);
        sparkBurst(canvas, {-0.25, 0.05}, 4, 27);
    }
}

void paintShip(Canvas& canvas, int damage) {
    canvas.useViewBox(-hull::halfWidth, hull::tail, hull::halfWidth, hull::nose);
    hull::keepClearOfEdges(canvas.cr(), canvas.pixelX(), canvas.pixelY(), 2);
    paintWings(canvas);
    paintEngines(canvas);
    paintFuselage(canvas);
    paintCanopy(canvas);
    paintRim(canvas);
    paintNavigationLights(canvas);
    paintDamage(canvas, damage);
}

} // namespace

std::vector<Artwork> shipArtworks() {
    std::vector<Artwork> ships;
    for (int state = 1; state <= 5; ++state) {
        ships.push_back({"Ship/Ship" + std::to_string(state) + ".png", 256, 256,
                         Orientation::Mirrored,
                         [state](Canvas& canvas) { paintShip(canvas, state - 1); }});
    }
    return ships;
}
