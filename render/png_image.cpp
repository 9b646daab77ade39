#include "render/png_image.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <png.h>

namespace {

struct MemoryReader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t offset;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->offset) {
        png_error(png, "truncated");
    }
    std::memcpy(out, reader->data + reader->offset, length);
    reader->offset += length;
}

// libpng would print every warning and error on standard error; a bad image is simply not
// loaded, so both go nowhere.
void ignoreWarning(png_structp, png_const_charp) {}
void failDecode(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

// Asks libpng for 8-bit RGBA whatever the file holds.
void requestRgba(png_structp png, png_infop info) {
    const int colourType = png_get_color_type(png, info);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_expand_gray_1_2_4_to_8(png);
        png_set_gray_to_rgb(png);
    }
    if (png_get_valid(png, info, PNG_INFO_tRNS)) {
        png_set_tRNS_to_alpha(png);
    }
    png_set_strip_16(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

// Where the decoded picture and its row pointers go. It lives in the caller's frame, so that a
// longjmp out of libpng, which returns into readImage below, neither skips a destructor nor
// leaves a local of the jumping frame indeterminate.
struct DecodeTarget {
    MemoryReader reader;
    int maxDimension;
    RgbaImage image;
    std::vector<png_bytep> rows;
};

// Everything libpng may jump out of. The jump lands on the setjmp at the top of this function,
// which then says the image could not be read; C++ objects are only ever touched through
// `target`, which outlives the jump.
bool readImage(png_structp png, png_infop info, DecodeTarget& target) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_read_fn(png, &target.reader, readFromMemory);
    // Only the header, palette, transparency and pixel chunks make the picture; the rest (text,
    // colour profiles, ...) is skipped unread. libpng would otherwise allocate a buffer of
    // whatever length such a chunk claims, up to 2 GiB from a file of a few bytes: its own limit
    // on chunk sizes is only a warning.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (width == 0 || height == 0 || target.maxDimension <= 0 ||
        width > static_cast<png_uint_32>(target.maxDimension) ||
        height > static_cast<png_uint_32>(target.maxDimension)) {
        return false;
    }
    requestRgba(png, info);
    if (png_get_rowbytes(png, info) != std::size_t{width} * 4) {
        return false;
    }
    target.image.width = static_cast<int>(width);
    target.image.height = static_cast<int>(height);
    target.image.pixels.resize(std::size_t{width} * height * 4);
    target.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) {
        target.rows[y] = target.image.pixels.data() + std::size_t{y} * width * 4;
    }
    png_read_image(png, target.rows.data());
    return true;
}

} // namespace

std::optional<RgbaImage> decodePng(const std::uint8_t* data, std::size_t size, int maxDimension) {
    if (data == nullptr || size < 8 || png_sig_cmp(data, 0, 8) != 0) {
        return std::nullopt;
    }
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, failDecode, ignoreWarning);
    if (png == nullptr) {
        return std::nullopt;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return std::nullopt;
    }
    DecodeTarget target{{data, size, 0}, maxDimension, {}, {}};
    const bool decoded = readImage(png, info, target);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!decoded) {
        return std::nullopt;
    }
    return std::move(target.image);
}

namespace {

// Everything libpng may jump out of while writing; the jump lands on the setjmp at the top.
bool writeRows(png_structp png, png_infop info, std::FILE* file, int width, int height,
               const std::uint8_t* rgb) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        png_write_row(png, rgb + std::size_t(y) * width * 3);
    }
    png_write_end(png, nullptr);
    return true;
}

bool encodeRgbPng(std::FILE* file, int width, int height, const std::vector<std::uint8_t>& rgb) {
    if (width <= 0 || height <= 0 || rgb.size() != std::size_t(width) * height * 3) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    const bool written = info != nullptr && writeRows(png, info, file, width, height, rgb.data());
    png_destroy_write_struct(&png, &info);
    return written;
}

} // namespace

bool writeRgbPngAndClose(std::FILE* file, int width, int height,
                         const std::vector<std::uint8_t>& rgb, std::string& why) {
    const bool written = encodeRgbPng(file, width, height, rgb);
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        why = written ? std::strerror(errno) : "the PNG could not be encoded";
        return false;
    }
    return true;
}
