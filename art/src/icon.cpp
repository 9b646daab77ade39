#include "icon.h"

#include "catalogue.h"
#include "png_file.h"
#include "shapes.h"

#include <cairo-svg.h>
#include <cmath>
#include <filesystem>
#include <stdexcept>

namespace {

using namespace palette;

constexpr const char* kIconName = "glimmerwake";
// Desktop menus, launchers, task bars and software centres ask for these.
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256, 512};
// The icon is drawn in a box of this many units a side; every size scales it.
constexpr double kBox = 256;
// The ship's picture is drawn at its texture size, then placed on the tile.
constexpr int kShipPixels = 256;

// The ship, kept as paths: replayed at any size, and as paths into the SVG file.
cairo_surface_t* recordShip() {
    const cairo_rectangle_t extents{0, 0, kShipPixels, kShipPixels};
    cairo_surface_t* recording =
        cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
    cairo_surface_reference(recording);
    {
        Canvas canvas(recording, kShipPixels, kShipPixels);
        shipArtworks().front().draw(canvas);
    }
    return recording;
}

// The tile: night blue, lit from the tunnel's mouth above the middle, with the rails running
// into it.
void paintTile(cairo_t* cr) {
    roundedRect(cr, 8, 8, 248, 248, 44);
    setRadial(cr, {128, 96}, 170,
              {{0.0, mix(railBlue, tunnelBlack, 0.55), 1},
               {0.45, mix(panelMid, tunnelBlack, 0.5), 1},
               {1.0, tunnelBlack, 1}});
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    const Point mouth{128, 96};
    for (int i = 0; i < 14; ++i) {
        const double angle = pi * (0.08 + 0.84 * i / 13.0);
        cairo_move_to(cr, mouth.x + 18 * std::cos(angle), mouth.y + 18 * std::sin(angle));
        cairo_line_to(cr, mouth.x + 260 * std::cos(angle), mouth.y + 260 * std::sin(angle));
    }
    setColour(cr, railBlue, 0.55);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    glow(cr, mouth, 40, hotWhite, 0.35);
    cairo_restore(cr);
    cairo_new_path(cr);
    roundedRect(cr, 8, 8, 248, 248, 44);
    setColour(cr, accentBlue, 0.9);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
}

void paintIcon(cairo_t* cr, cairo_surface_t* ship) {
    paintTile(cr);
    // The ship fills most of the tile, nose up toward the tunnel's mouth.
    constexpr double kShipShare = 0.74;
    cairo_save(cr);
    cairo_translate(cr, (1 - kShipShare) / 2 * kBox, (1 - kShipShare) / 2 * kBox + 6);
    cairo_scale(cr, kShipShare * kBox / kShipPixels, kShipShare * kBox / kShipPixels);
    cairo_set_source_surface(cr, ship, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

void writePngIcon(const std::filesystem::path& dir, cairo_surface_t* ship, int size) {
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(image);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_BEST);
    cairo_scale(cr, size / kBox, size / kBox);
    paintIcon(cr, ship);
    cairo_destroy(cr);
    cairo_surface_flush(image);
    const std::string sizeName = std::to_string(size) + "x" + std::to_string(size);
    const std::filesystem::path file = dir / sizeName / "apps" / (std::string(kIconName) + ".png");
    std::filesystem::create_directories(file.parent_path());
    writePng(file.string(), readSurface(image));
    cairo_surface_destroy(image);
}

void writeSvgIcon(const std::filesystem::path& dir, cairo_surface_t* ship) {
    const std::filesystem::path file =
        dir / "scalable" / "apps" / (std::string(kIconName) + ".svg");
    std::filesystem::create_directories(file.parent_path());
    cairo_surface_t* svg = cairo_svg_surface_create(file.c_str(), kBox, kBox);
    cairo_svg_surface_restrict_to_version(svg, CAIRO_SVG_VERSION_1_1);
    cairo_t* cr = cairo_create(svg);
    paintIcon(cr, ship);
    cairo_destroy(cr);
    cairo_surface_finish(svg);
    const cairo_status_t status = cairo_surface_status(svg);
    cairo_surface_destroy(svg);
    if (status != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot write " + file.string() + ": " +
                                 cairo_status_to_string(status));
    }
}

} // namespace

void writeIcons(const std::string& dir) {
    cairo_surface_t* ship = recordShip();
    for (const int size : kIconSizes) {
        writePngIcon(dir, ship, size);
    }
    writeSvgIcon(dir, ship);
    cairo_surface_destroy(ship);
}
