#include "contact_sheet.h"

#include "png_file.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int margin = 24;
constexpr int cellWidth = 220;
constexpr int cellImage = 192;
constexpr int cellHeight = 240;
constexpr int columns = 6;
constexpr int bannerHeight = 256;
constexpr int titleHeight = 48;

void checkerboard(cairo_t* cr, double x, double y, double width, double height) {
    constexpr double square = 8;
    cairo_save(cr);
    cairo_rectangle(cr, x, y, width, height);
    cairo_clip(cr);
    cairo_set_source_rgb(cr, 0.16, 0.16, 0.18);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.24, 0.24, 0.27);
    for (int row = 0; row * square < height; ++row) {
        for (int column = row % 2; column * square < width; column += 2) {
            cairo_rectangle(cr, x + column * square, y + row * square, square, square);
        }
    }
    cairo_fill(cr);
    cairo_restore(cr);
}

// Draws a picture scaled to fit a box, on a checkerboard; small pictures are enlarged by whole
// pixels so that they can be judged texel by texel.
void showPicture(cairo_t* cr, const Pixels& picture, double x, double y, double boxWidth,
                 double boxHeight) {
    double scale = std::min(boxWidth / picture.width, boxHeight / picture.height);
    if (scale >= 2) {
        scale = std::floor(scale);
    }
    const double width = picture.width * scale;
    const double height = picture.height * scale;
    const double left = x + (boxWidth - width) / 2;
    const double top = y + (boxHeight - height) / 2;
    checkerboard(cr, left, top, width, height);
    cairo_surface_t* surface = makeSurface(picture);
    cairo_save(cr);
    cairo_translate(cr, left, top);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr),
                             scale >= 1 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(surface);
}

void label(cairo_t* cr, double x, double y, double size, const std::string& text, double grey) {
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_set_source_rgb(cr, grey, grey, grey);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
}

void caption(cairo_t* cr, const SheetEntry& entry, double x, double y) {
    label(cr, x, y, 13, entry.name, 0.92);
    const std::string size = std::to_string(entry.seen.width) + " x " +
                             std::to_string(entry.seen.height) + ", " + describe(entry.orientation);
    label(cr, x, y + 15, 11, size, 0.6);
}

bool isBanner(const SheetEntry& entry) {
    return entry.name == "BG/Background.png" || entry.name == "Menu.png";
}

} // namespace

void writeContactSheet(const std::string& path, const std::vector<SheetEntry>& entries) {
    const int cells = static_cast<int>(
        std::count_if(entries.begin(), entries.end(), [](const auto& e) { return !isBanner(e); }));
    const int rows = (cells + columns - 1) / columns;
    const int width = 2 * margin + columns * cellWidth;
    const int height = titleHeight + bannerHeight + 48 + rows * cellHeight + margin;

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0.08, 0.08, 0.09);
    cairo_paint(cr);
    label(cr, margin, 32, 20, "Glimmerwake: the 35 images of Data/, as the player sees them", 0.95);

    double bannerX = margin;
    int cell = 0;
    for (const SheetEntry& entry : entries) {
        if (isBanner(entry)) {
            const double boxWidth = entry.seen.width == entry.seen.height ? bannerHeight : 1024;
            showPicture(cr, entry.seen, bannerX, titleHeight, boxWidth, bannerHeight);
            caption(cr, entry, bannerX, titleHeight + bannerHeight + 18);
            bannerX += boxWidth + 8;
            continue;
        }
        const double x = margin + (cell % columns) * cellWidth;
        const double y = titleHeight + bannerHeight + 48 + (cell / columns) * cellHeight;
        showPicture(cr, entry.seen, x, y, cellImage, cellImage);
        caption(cr, entry, x, y + cellImage + 16);
        ++cell;
    }
    cairo_destroy(cr);
    writePng(path, readSurface(surface));
    cairo_surface_destroy(surface);
}
