#include "png_file.h"

#include <cstdio>
#include <memory>
#include <png.h>
#include <stdexcept>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

void appendToBuffer(png_structp png, png_bytep data, png_size_t length) {
    auto* const buffer = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    buffer->insert(buffer->end(), data, data + length);
}

void flushNothing(png_structp) {}

} // namespace

std::vector<std::uint8_t> encodePng(const Pixels& pixels, const std::string& what) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        throw std::runtime_error("libpng could not start for " + what);
    }
    std::vector<png_const_bytep> rows(pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
        rows[y] = &pixels.rgba[static_cast<std::size_t>(y) * pixels.width * 4];
    }
    std::vector<std::uint8_t> encoded;
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng failed encoding " + what);
    }
    png_set_write_fn(png, &encoded, appendToBuffer, flushNothing);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, pixels.width, pixels.height, 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return encoded;
}

void writePng(const std::string& path, const Pixels& pixels) {
    const std::vector<std::uint8_t> encoded = encodePng(pixels, path);
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file || std::fwrite(encoded.data(), 1, encoded.size(), file.get()) != encoded.size()) {
        throw std::runtime_error("cannot write " + path);
    }
}
