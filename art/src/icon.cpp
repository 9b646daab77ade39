#include "icon.h"

#include "catalogue.h"
#include "png_file.h"
#include "shapes.h"

#include <cairo-svg.h>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace {

using namespace palette;

constexpr const char* kIconName = "glimmerwake";
// Desktop menus, launchers, task bars and software centres ask for these.
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256, 512};
// Explorer, the task bar, the title bar and the Start menu pick from these; an icon file holds
// nothing larger than 256.
constexpr int kWindowsIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
// From this size on an icon file's image is PNG, as Windows writes its own; the smaller ones are
// plain 32-bit bitmaps, which every version of Windows and every tool reads.
constexpr int kWindowsPngFrom = 256;
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

Pixels paintAtSize(cairo_surface_t* ship, int size) {
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(image);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_BEST);
    cairo_scale(cr, size / kBox, size / kBox);
    paintIcon(cr, ship);
    cairo_destroy(cr);
    cairo_surface_flush(image);
    Pixels pixels = readSurface(image);
    cairo_surface_destroy(image);
    return pixels;
}

void writePngIcon(const std::filesystem::path& dir, cairo_surface_t* ship, int size) {
    const std::string sizeName = std::to_string(size) + "x" + std::to_string(size);
    const std::filesystem::path file = dir / sizeName / "apps" / (std::string(kIconName) + ".png");
    std::filesystem::create_directories(file.parent_path());
    writePng(file.string(), paintAtSize(ship, size));
}

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// An icon file's bitmap image: a BITMAPINFOHEADER of twice the height (the colour rows, then
// the mask's), the BGRA rows bottom up with straight alpha, and a 1-bit AND mask of zeros, since
// the alpha channel already says what is transparent.
std::vector<std::uint8_t> iconBitmap(const Pixels& pixels) {
    constexpr std::uint32_t kHeaderBytes = 40;
    constexpr std::uint32_t kBitsPerPixel = 32;
    std::vector<std::uint8_t> out;
    putLittleEndian(out, kHeaderBytes, 4);
    putLittleEndian(out, static_cast<std::uint32_t>(pixels.width), 4);
    putLittleEndian(out, static_cast<std::uint32_t>(pixels.height * 2), 4);
    putLittleEndian(out, 1, 2); // planes
    putLittleEndian(out, kBitsPerPixel, 2);
    // No compression, image size left to be reckoned, no resolution, no palette.
    for (int field = 0; field < 6; ++field) {
        putLittleEndian(out, 0, 4);
    }
    for (int y = pixels.height - 1; y >= 0; --y) {
        const std::uint8_t* row = &pixels.rgba[static_cast<std::size_t>(y) * pixels.width * 4];
        for (int x = 0; x < pixels.width; ++x, row += 4) {
            out.insert(out.end(), {row[2], row[1], row[0], row[3]});
        }
    }
    // Mask rows are padded to whole 32-bit words.
    const std::size_t maskRowBytes = static_cast<std::size_t>((pixels.width + 31) / 32 * 4);
    out.resize(out.size() + maskRowBytes * static_cast<std::size_t>(pixels.height), 0);
    return out;
}

// The icon file: its header, one directory entry per image, then the images in that order.
void writeIconFile(const std::string& file, cairo_surface_t* ship) {
    constexpr std::uint32_t kHeaderBytes = 6;
    constexpr std::uint32_t kEntryBytes = 16;
    constexpr std::uint32_t kIconType = 1;
    const std::uint32_t count = std::size(kWindowsIconSizes);
    std::vector<std::vector<std::uint8_t>> images;
    for (const int size : kWindowsIconSizes) {
        const Pixels pixels = paintAtSize(ship, size);
        images.push_back(size >= kWindowsPngFrom
                             ? encodePng(pixels, file + " at " + std::to_string(size))
                             : iconBitmap(pixels));
    }
    std::vector<std::uint8_t> out;
    putLittleEndian(out, 0, 2);
    putLittleEndian(out, kIconType, 2);
    putLittleEndian(out, count, 2);
    std::uint32_t offset = kHeaderBytes + kEntryBytes * count;
    for (std::size_t i = 0; i < images.size(); ++i) {
        // A width and height of 256 do not fit a byte, and are written as 0.
        const std::uint32_t side = static_cast<std::uint32_t>(kWindowsIconSizes[i] % 256);
        putLittleEndian(out, side, 1);
        putLittleEndian(out, side, 1);
        putLittleEndian(out, 0, 2); // no palette, reserved
        putLittleEndian(out, 1, 2); // planes
        putLittleEndian(out, 32, 2);
        putLittleEndian(out, static_cast<std::uint32_t>(images[i].size()), 4);
        putLittleEndian(out, offset, 4);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const std::vector<std::uint8_t>& image : images) {
        out.insert(out.end(), image.begin(), image.end());
    }
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    if (!stream.write(reinterpret_cast<const char*>(out.data()),
                      static_cast<std::streamsize>(out.size())) ||
        !stream.flush()) {
        throw std::runtime_error("cannot write " + file);
    }
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

void writeWindowsIcon(const std::string& file) {
    cairo_surface_t* ship = recordShip();
    const std::filesystem::path parent = std::filesystem::path(file).parent_path();
    if (!parent.empty()) {
        std::filesystem::create_directories(parent);
    }
    writeIconFile(file, ship);
    cairo_surface_destroy(ship);
}
