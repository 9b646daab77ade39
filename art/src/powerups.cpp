// The pickups, seen face on (the game stands them up on the tunnel floor facing the player):
//   Powerup2a/b/c  the meteor destroyer's amber crystal, a faceted gem in a hexagonal frame;
//   Powerup3a/b/c  the laser's emerald orb, a glass sphere with a star of light inside and a
//                  silver ring round it;
//   Wrench         a chrome spanner: one more life.
// The three frames of a pickup are played a, b, c, b, a: they pulse from dim to bright, and
// the glint on each moves a little so the pulse reads as a shimmer.

#include "catalogue.h"
#include "shapes.h"

#include <cmath>

namespace {

using namespace palette;

constexpr Rgb amberDeep{0.55, 0.22, 0.02};
constexpr Rgb amber{1.0, 0.62, 0.12};
constexpr Rgb emeraldDeep{0.0, 0.25, 0.12};

void hexagon(cairo_t* cr, double radius, double turn) {
    for (int corner = 0; corner < 6; ++corner) {
        const double angle = turn + corner * pi / 3;
        const double x = std::cos(angle) * radius;
        const double y = std::sin(angle) * radius;
        corner == 0 ? cairo_move_to(cr, x, y) : cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
}

void paintCrystal(Canvas& canvas, double pulse) {
    canvas.useViewBox(-1, -1, 1, 1);
    cairo_t* cr = canvas.cr();
    glow(cr, {0, 0}, 0.97, amber, 0.2 + 0.65 * pulse);

    // Frame: a bevelled steel hexagon.
    hexagon(cr, 0.74, pi / 6);
    setLinear(cr, {-0.6, 0.6}, {0.6, -0.6},
              {{0, hullLight, 1}, {0.5, hullMid, 1}, {1, hullDark, 1}});
    cairo_fill(cr);
    hexagon(cr, 0.64, pi / 6);
    setLinear(cr, {-0.6, 0.6}, {0.6, -0.6},
              {{0, steelShadow, 1}, {0.5, gunmetal, 1}, {1, hullLight, 1}});
    cairo_fill(cr);
    // The energy field round the frame, flaring with the pulse.
    hexagon(cr, 0.77, pi / 6);
    setColour(cr, mix(amber, hotWhite, pulse * 0.5), 0.25 + 0.7 * pulse);
    strokePixels(cr, 1.5);

    // The gem: six facets, lit from the upper left, round a bright table.
    const double glowing = 0.62 + 0.38 * pulse;
    for (int facet = 0; facet < 6; ++facet) {
        const double a0 = pi / 6 + facet * pi / 3;
        const double a1 = a0 + pi / 3;
        const double middle = (a0 + a1) / 2;
        const double light = 0.5 + 0.5 * std::cos(middle - 3 * pi / 4);
        cairo_move_to(cr, std::cos(a0) * 0.58, std::sin(a0) * 0.58);
        cairo_line_to(cr, std::cos(a1) * 0.58, std::sin(a1) * 0.58);
        cairo_line_to(cr, std::cos(a1) * 0.27, std::sin(a1) * 0.27);
        cairo_line_to(cr, std::cos(a0) * 0.27, std::sin(a0) * 0.27);
        cairo_close_path(cr);
        setColour(cr, scaled(mix(amberDeep, amber, light), glowing), 1);
        cairo_fill(cr);
    }
    hexagon(cr, 0.27, pi / 6);
    setRadial(cr, {0, 0}, 0.3,
              {{0, hotWhite, 1}, {0.5, mix(amber, hotWhite, 0.3 + 0.5 * pulse), 1}, {1, amber, 1}});
    cairo_fill(cr);
    for (int edge = 0; edge < 6; ++edge) {
        const double a = pi / 6 + edge * pi / 3;
        cairo_move_to(cr, std::cos(a) * 0.27, std::sin(a) * 0.27);
        cairo_line_to(cr, std::cos(a) * 0.58, std::sin(a) * 0.58);
    }
    setColour(cr, hotWhite, 0.35);
    strokePixels(cr, 1);

    const double glintAngle = 2.2 + 0.35 * pulse;
    const Point glint{std::cos(glintAngle) * 0.42, std::sin(glintAngle) * 0.42};
    spark(cr, {glint.x - 0.12, glint.y}, {glint.x + 0.12, glint.y}, 1, white, 0.9);
    spark(cr, {glint.x, glint.y - 0.12}, {glint.x, glint.y + 0.12}, 1, white, 0.9);
    glow(cr, {0, 0}, 0.2 + 0.1 * pulse, white, 0.5 + 0.4 * pulse);
}

// The orb's ring: a circle turned and squashed into a tilted ellipse.
constexpr double ringTurn = -0.35;
constexpr double ringRadiusX = 0.8;
constexpr double ringRadiusY = 0.28;

Point ringPoint(double angle) {
    const double x = std::cos(angle) * ringRadiusX;
    const double y = std::sin(angle) * ringRadiusY;
    return {x * std::cos(ringTurn) - y * std::sin(ringTurn),
            x * std::sin(ringTurn) + y * std::cos(ringTurn)};
}

void ringArc(cairo_t* cr, double from, double to) {
    cairo_save(cr);
    cairo_rotate(cr, ringTurn);
    cairo_scale(cr, ringRadiusX, ringRadiusY);
    cairo_arc(cr, 0, 0, 1, from, to);
    cairo_restore(cr);
}

void strokeRing(cairo_t* cr, double from, double to, double pulse) {
    ringArc(cr, from, to);
    setColour(cr, steelShadow, 1);
    strokePixelsPreserve(cr, 5);
    setColour(cr, hullLight, 1);
    strokePixelsPreserve(cr, 3);
    setColour(cr, mix(laserCore, white, pulse), 0.9);
    strokePixels(cr, 1);
}

void paintOrb(Canvas& canvas, double pulse) {
    canvas.useViewBox(-1, -1, 1, 1);
    cairo_t* cr = canvas.cr();
    glow(cr, {0, 0}, 0.97, laserGreen, 0.2 + 0.65 * pulse);

    // Back half of the ring, behind the sphere.
    strokeRing(cr, pi, 2 * pi, pulse);

    // The glass sphere: dark rim, bright heart.
    cairo_arc(cr, 0, 0, 0.56, 0, 2 * pi);
    setRadial(cr, {-0.1, 0.1}, 0.62,
              {{0, mix(laserGreen, laserCore, 0.3 * pulse), 1},
               {0.55, scaled(laserGreen, 0.55), 1},
               {1, emeraldDeep, 1}});
    cairo_fill(cr);

    // The star inside: four beams of light crossing.
    const double reach = 0.42 + 0.1 * pulse;
    spark(cr, {-reach, 0}, {reach, 0}, 1.5, laserCore, 0.9);
    spark(cr, {0, -reach}, {0, reach}, 1.5, laserCore, 0.9);
    spark(cr, {-reach * 0.5, -reach * 0.5}, {reach * 0.5, reach * 0.5}, 1, laserCore, 0.6);
    spark(cr, {-reach * 0.5, reach * 0.5}, {reach * 0.5, -reach * 0.5}, 1, laserCore, 0.6);
    glow(cr, {0, 0}, 0.22 + 0.1 * pulse, white, 0.7 + 0.3 * pulse);

    // Reflection of the tunnel on the glass.
    ellipse(cr, {-0.22, 0.28}, 0.17, 0.09);
    setColour(cr, white, 0.55);
    cairo_fill(cr);
    cairo_arc(cr, 0, 0, 0.56, 0, 2 * pi);
    setColour(cr, laserCore, 0.35 + 0.6 * pulse);
    strokePixels(cr, 1 + pulse);

    // Front half of the ring.
    strokeRing(cr, 0, pi, pulse);
    const double bead = -0.4 + 0.8 * pulse;
    ellipseGlow(cr, ringPoint(bead), 0.12, 0.12, white, 0.9);
}

// The spanner lying along x, the open jaw to the right and the ring to the left.
void wrenchBody(cairo_t* cr) {
    roundedRect(cr, -0.5, -0.085, 0.42, 0.085, 0.06);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0.58, 0, 0.24, 0.75, 2 * pi - 0.75);
    cairo_line_to(cr, 0.58 + 0.06, -0.09);
    cairo_line_to(cr, 0.58 - 0.02, -0.09);
    cairo_line_to(cr, 0.58 - 0.02, 0.09);
    cairo_line_to(cr, 0.58 + 0.06, 0.09);
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, -0.6, 0, 0.2, 0, 2 * pi);
    cairo_close_path(cr);
}

void wrenchHole(cairo_t* cr) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, -0.6, 0, 0.095, 0, 2 * pi);
    cairo_close_path(cr);
}

void paintWrench(Canvas& canvas) {
    canvas.useViewBox(-1, -1, 1, 1);
    cairo_t* cr = canvas.cr();
    glow(cr, {0, 0}, 0.9, accentBlue, 0.6);
    glow(cr, {0, 0}, 0.5, white, 0.25);

    // Painted apart and laid on the halo, so that the chrome stays inside the spanner.
    cairo_push_group(cr);
    cairo_rotate(cr, pi / 4);
    cairo_scale(cr, 1.1, 1.35);
    wrenchBody(cr);
    setColour(cr, white, 1);
    cairo_fill(cr);
    wrenchHole(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
    cairo_rectangle(cr, -1.2, -0.3, 2.4, 0.6);
    setLinear(cr, {0, 0.26}, {0, -0.26},
              {{0.0, hullMid, 1},
               {0.3, white, 1},
               {0.45, hullLight, 1},
               {0.55, hullDark, 1},
               {0.8, hullMid, 1},
               {1.0, hullLight, 1}});
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    wrenchBody(cr);
    wrenchHole(cr);
    setColour(cr, steelShadow, 1);
    strokePixels(cr, 1.5);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
    glow(cr, {-0.3, 0.35}, 0.1, white, 0.9);
}

} // namespace

std::vector<Artwork> powerupArtworks() {
    return {
        {"Powerups/Powerup2a.png", 64, 64, Orientation::Turned,
         [](Canvas& c) { paintCrystal(c, 0.0); }},
        {"Powerups/Powerup2b.png", 64, 64, Orientation::Turned,
         [](Canvas& c) { paintCrystal(c, 0.5); }},
        {"Powerups/Powerup2c.png", 64, 64, Orientation::Turned,
         [](Canvas& c) { paintCrystal(c, 1.0); }},
        {"Powerups/Powerup3a.png", 64, 64, Orientation::Turned,
         [](Canvas& c) { paintOrb(c, 0.0); }},
        {"Powerups/Powerup3b.png", 64, 64, Orientation::Turned,
         [](Canvas& c) { paintOrb(c, 0.5); }},
        {"Powerups/Powerup3c.png", 64, 64, Orientation::Turned,
         [](Canvas& c) { paintOrb(c, 1.0); }},
        {"Powerups/Wrench.png", 64, 64, Orientation::Turned, paintWrench},
    };
}
