#include "pixels.h"

namespace {

std::uint8_t unpremultiply(std::uint32_t channel, std::uint32_t alpha) {
    return static_cast<std::uint8_t>((channel * 255 + alpha / 2) / alpha);
}

std::uint32_t premultiply(std::uint32_t channel, std::uint32_t alpha) {
    return (channel * alpha + 127) / 255;
}

} // namespace

Pixels readSurface(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    Pixels pixels;
    pixels.width = cairo_image_surface_get_width(surface);
    pixels.height = cairo_image_surface_get_height(surface);
    pixels.rgba.assign(static_cast<std::size_t>(pixels.width) * pixels.height * 4, 0);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < pixels.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint32_t argb = row[x];
            const std::uint32_t alpha = argb >> 24;
            if (alpha == 0) {
                continue; // fully transparent pixels are stored as transparent black
            }
            std::uint8_t* out = &pixels.rgba[(static_cast<std::size_t>(y) * pixels.width + x) * 4];
            out[0] = unpremultiply((argb >> 16) & 0xFF, alpha);
            out[1] = unpremultiply((argb >> 8) & 0xFF, alpha);
            out[2] = unpremultiply(argb & 0xFF, alpha);
            out[3] = static_cast<std::uint8_t>(alpha);
        }
    }
    return pixels;
}

cairo_surface_t* makeSurface(const Pixels& pixels) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels.width, pixels.height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < pixels.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint8_t* in =
                &pixels.rgba[(static_cast<std::size_t>(y) * pixels.width + x) * 4];
            const std::uint32_t alpha = in[3];
            row[x] = alpha << 24 | premultiply(in[0], alpha) << 16 |
                     premultiply(in[1], alpha) << 8 | premultiply(in[2], alpha);
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}
