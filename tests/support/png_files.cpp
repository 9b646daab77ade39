#include "tests/support/png_files.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <png.h>
#include <unistd.h>

std::string scratchPath(const std::string& name) {
    static const std::string directory = [] {
        const char* base = std::getenv("GLIMMERWAKE_TEST_TMP");
        std::filesystem::path dir = base != nullptr ? base : std::filesystem::temp_directory_path();
        dir /= "glimmerwake-" + std::to_string(getpid());
        std::filesystem::create_directories(dir);
        return dir.string();
    }();
    return directory + "/" + name;
}

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

int colourType(PngKind kind) {
    switch (kind) {
    case PngKind::Rgb:
        return PNG_COLOR_TYPE_RGB;
    case PngKind::Palette:
        return PNG_COLOR_TYPE_PALETTE;
    case PngKind::Grey:
        return PNG_COLOR_TYPE_GRAY;
    case PngKind::GreyAlpha:
        return PNG_COLOR_TYPE_GRAY_ALPHA;
    default:
        return PNG_COLOR_TYPE_RGBA;
    }
}

std::vector<std::uint8_t> pixelRow(PngKind kind, int width, int y) {
    std::vector<std::uint8_t> row;
    for (int x = 0; x < width; ++x) {
        const std::uint8_t red = static_cast<std::uint8_t>(x * 16);
        const std::uint8_t green = static_cast<std::uint8_t>(y * 16);
        const std::uint8_t alpha = static_cast<std::uint8_t>(255 - x);
        switch (kind) {
        case PngKind::Rgb:
            row.insert(row.end(), {red, green, 0});
            break;
        case PngKind::Palette:
            row.push_back(static_cast<std::uint8_t>(x % 16));
            break;
        case PngKind::Grey:
            row.push_back(red);
            break;
        case PngKind::GreyAlpha:
            row.insert(row.end(), {red, alpha});
            break;
        case PngKind::Rgba16:
            row.insert(row.end(), {red, 0, green, 0, 0, 0, alpha, 0});
            break;
        default:
            row.insert(row.end(), {red, green, 0, alpha});
            break;
        }
    }
    return row;
}

} // namespace

std::vector<std::uint8_t> makePng(PngKind kind, int width, int height) {
    std::vector<std::uint8_t> bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &bytes, appendBytes, nullptr);
    const int depth = kind == PngKind::Rgba16 ? 16 : 8;
    const int interlace =
        kind == PngKind::InterlacedRgba ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE;
    png_set_IHDR(png, info, width, height, depth, colourType(kind), interlace,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (kind == PngKind::Palette) {
        png_color palette[16];
        for (int i = 0; i < 16; ++i) {
            palette[i] = {static_cast<png_byte>(i * 16), 0, 0};
        }
        png_set_PLTE(png, info, palette, 16);
    }
    png_write_info(png, info);
    std::vector<std::vector<std::uint8_t>> rows;
    std::vector<png_bytep> rowPointers;
    for (int y = 0; y < height; ++y) {
        rows.push_back(pixelRow(kind, width, y));
    }
    for (auto& row : rows) {
        rowPointers.push_back(row.data());
    }
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return;
    }
    if (!bytes.empty()) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
    }
    std::fclose(file);
}
