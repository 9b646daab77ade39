// Menu: the title backdrop. Drawn in the units of the game's menu quad (x -6.5 to 6.5, y -5 to
// 5, at depth 9 or 10), of which the screen shows roughly x -5 to 5 and y -3.7 to 3.7.
//
// The game prints its title at the top centre, "Play" and "Quit" at the left, the key help in
// the middle and a credit line at the bottom, all in red or grey, and shows this picture at half
// brightness. So the left and centre are left as calm deep-blue space, and the picture's life is
// on the right: the mouth of the tunnel blazing with rail-blue light, the enemies pouring out of
// it and the player's ship diving in.

#include "catalogue.h"
#include "field.h"
#include "hull_outline.h"
#include "noise.h"
#include "shapes.h"

#include <cmath>

namespace {

using namespace palette;

constexpr Point vanishingPoint{3.35, 0.55};
constexpr Rgb spaceTop{0.09, 0.12, 0.32};
constexpr Rgb spaceBottom{0.2, 0.15, 0.4};
constexpr Rgb nebulaViolet{0.45, 0.2, 0.7};

// How much of the tunnel's light reaches a point: all of it on the right, none behind the text.
double tunnelReach(double x) {
    return smoothstep(1.2, 3.3, x);
}

void paintSpace(Canvas& canvas) {
    paintField(canvas, [](double x, double y) {
        const Rgb base = mix(spaceBottom, spaceTop, smoothstep(-5, 5, y));
        const double cloud = fractalNoise(x * 0.35 + 20, y * 0.45, 6, 404);
        const double wisps = fractalNoise(x * 0.9, y * 1.2 - 5, 5, 405);
        const double reach = 0.45 + 0.55 * tunnelReach(x);
        const double nebula = smoothstep(0.45, 0.8, cloud) * reach;
        Rgb c = mix(base, mix(swarmBlue, nebulaViolet, wisps), nebula * 0.85);
        c = mix(c, railBlue, smoothstep(0.6, 0.9, wisps) * nebula * 0.35);
        // Light spilling from the tunnel's mouth.
        const double d = std::hypot(x - vanishingPoint.x, (y - vanishingPoint.y) * 1.2);
        c = mix(c, Rgb{0.55, 0.8, 1.0}, std::exp(-d * 0.9) * 0.7);
        return Rgba{c.r, c.g, c.b, 1};
    });
}

void paintStars(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    Random random(2718);
    for (int star = 0; star < 420; ++star) {
        const Point at{random.range(-6.5, 6.5), random.range(-5, 5)};
        const double brightness = random.range(0.25, 1.0);
        const double size = canvas.pixel() * random.range(0.6, 1.6);
        const Rgb tint = mix(white, random.uniform() < 0.5 ? railBlue : flameYellow, 0.25);
        glow(cr, at, size * 2.5, tint, brightness * 0.9);
    }
    // A few bright ones with soft cross flares, on the busy side only.
    for (int star = 0; star < 6; ++star) {
        const Point at{random.range(2.2, 5.2), random.range(-3.4, 3.4)};
        const double flare = random.range(0.06, 0.12);
        glow(cr, at, flare * 1.5, railBlue, 0.6);
        spark(cr, {at.x - flare, at.y}, {at.x + flare, at.y}, 0.7, white, 0.5);
        spark(cr, {at.x, at.y - flare}, {at.x, at.y + flare}, 0.7, white, 0.5);
    }
}

// Rings and rails of the tunnel in perspective, brightest at the mouth.
void paintTunnel(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    cairo_push_group(cr);
    for (int ring = 0; ring < 9; ++ring) {
        const double radius = 0.22 * std::pow(1.5, ring);
        ellipse(cr, vanishingPoint, radius * 1.15, radius);
        setColour(cr, railBlue, 0.9 - ring * 0.07);
        strokePixelsPreserve(cr, 1 + ring * 0.7);
        setColour(cr, railBlue, 0.15);
        strokePixels(cr, 5 + ring * 2);
    }
    for (int rail = 0; rail < 48; ++rail) {
        const double angle = rail * 2 * pi / 48;
        const Point inner{vanishingPoint.x + std::cos(angle) * 0.25,
                          vanishingPoint.y + std::sin(angle) * 0.22};
        const Point outer{vanishingPoint.x + std::cos(angle) * 11.5,
                          vanishingPoint.y + std::sin(angle) * 10};
        cairo_move_to(cr, inner.x, inner.y);
        cairo_line_to(cr, outer.x, outer.y);
        setLinear(cr, inner, outer, {{0, white, 0.9}, {0.15, railBlue, 0.7}, {1, railBlue, 0.25}});
        strokePixels(cr, 1.5);
    }
    glow(cr, vanishingPoint, 1.6, Rgb{0.6, 0.85, 1.0}, 0.9);
    glow(cr, vanishingPoint, 0.5, white, 1);
    cairo_pop_group_to_source(cr);
    cairo_pattern_t* fade = cairo_pattern_create_linear(1.2, 0, 3.3, 0);
    cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 1);
    cairo_mask(cr, fade);
    cairo_pattern_destroy(fade);
}

struct Foe {
    int shape;       // 0 wedge, 1 square, 2 ring, 3 boss
    double distance; // from the vanishing point along its ray, 0 to 1
    double angle;
    double spin;
};

constexpr Foe foes[] = {
    {0, 0.22, 2.5, 0.3}, {0, 0.34, 2.2, -0.4}, {0, 0.3, 0.3, 0.9},   {1, 0.42, 3.5, 0.5},
    {1, 0.26, 5.4, 0.2}, {2, 0.48, 1.2, 0.0},  {0, 0.55, 4.6, -0.8}, {1, 0.62, 0.7, 0.4},
    {2, 0.18, 4.1, 0.0}, {3, 0.12, 1.7, 0.1},  {0, 0.14, 5.9, 1.2},
};

void foeShape(cairo_t* cr, int shape) {
    switch (shape) {
    case 0:
        polygon(cr, {{0, 1}, {0.8, -0.7}, {0, -0.3}, {-0.8, -0.7}});
        break;
    case 1:
        cairo_rectangle(cr, -0.7, -0.7, 1.4, 1.4);
        break;
    case 2:
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        ellipse(cr, {0, 0}, 0.9, 0.9);
        ellipse(cr, {0, 0}, 0.5, 0.5);
        break;
    default:
        cairo_rectangle(cr, -1.2, -0.6, 2.4, 1.2);
        break;
    }
}

void paintFoes(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    constexpr Rgb colours[] = {wedgeRed, squarePurple, ringGreen, bossOchre};
    for (const Foe& foe : foes) {
        const double reach = 0.4 + foe.distance * 5.2;
        const Point at{vanishingPoint.x + std::cos(foe.angle) * reach * 1.1,
                       vanishingPoint.y + std::sin(foe.angle) * reach};
        if (tunnelReach(at.x) < 0.3) {
            continue;
        }
        const double size = 0.08 + foe.distance * 0.4;
        const Rgb colour = colours[foe.shape];
        glow(cr, at, size * 2.2, colour, 0.5);
        cairo_save(cr);
        cairo_translate(cr, at.x, at.y);
        cairo_rotate(cr, foe.spin);
        cairo_scale(cr, size, size);
        foeShape(cr, foe.shape);
        setColour(cr, mix(colour, white, 0.15), 1);
        cairo_fill_preserve(cr);
        setColour(cr, mix(colour, white, 0.6), 1);
        strokePixels(cr, 1.5);
        cairo_restore(cr);
    }
}

// The player's ship, the very picture the game flies (Ship1), diving from the lower right
// toward the mouth of the tunnel.
void paintShip(Canvas& canvas) {
    const Artwork pristine = shipArtworks().front();
    cairo_surface_t* ship = makeSurface(paintSeen(pristine));
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_translate(cr, 3.75, -1.75);
    cairo_rotate(cr, 0.3);
    cairo_scale(cr, 0.85, 0.72);
    for (const double side : {-1.0, 1.0}) {
        const Point nozzle{side * hull::engineX, hull::tail};
        ellipseGlow(cr, {nozzle.x, nozzle.y - 0.55}, 0.17, 0.8, thrustBlue, 0.9);
        ellipseGlow(cr, {nozzle.x, nozzle.y - 0.2}, 0.07, 0.35, thrustCore, 1);
    }
    glow(cr, {0, -0.2}, 1.6, railBlue, 0.25);
    // From the picture's pixels to hull units.
    cairo_translate(cr, -hull::halfWidth, hull::nose);
    cairo_scale(cr, 2 * hull::halfWidth / pristine.width,
                -(hull::nose - hull::tail) / pristine.height);
    cairo_set_source_surface(cr, ship, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(ship);
}

void paintVignette(Canvas& canvas) {
    paintField(canvas, [](double x, double y) {
        const double d = std::hypot(x / 6.5, y / 5);
        return Rgba{0, 0, 0, 0.5 * smoothstep(0.75, 1.3, d)};
    });
}

void paintMenu(Canvas& canvas) {
    canvas.useViewBox(-6.5, -5, 6.5, 5);
    paintSpace(canvas);
    paintStars(canvas);
    paintTunnel(canvas);
    paintFoes(canvas);
    paintShip(canvas);
    paintVignette(canvas);
}

} // namespace

std::vector<Artwork> menuArtworks() {
    return {{"Menu.png", 1024, 1024, Orientation::Mirrored, paintMenu}};
}
