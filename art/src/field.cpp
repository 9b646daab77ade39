#include "field.h"

#include <algorithm>
#include <cstdint>

namespace {

std::uint32_t toByte(double value) {
    return static_cast<std::uint32_t>(std::clamp(value, 0.0, 1.0) * 255.0 + 0.5);
}

} // namespace

void paintField(Canvas& canvas, const std::function<Rgba(double x, double y)>& pattern,
                cairo_operator_t op) {
    cairo_surface_t* layer =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, canvas.width(), canvas.height());
    unsigned char* data = cairo_image_surface_get_data(layer);
    const int stride = cairo_image_surface_get_stride(layer);
    for (int row = 0; row < canvas.height(); ++row) {
        auto* out = reinterpret_cast<std::uint32_t*>(data + row * stride);
        for (int column = 0; column < canvas.width(); ++column) {
            const Rgba c = pattern(canvas.viewX(column), canvas.viewY(row));
            const double a = std::clamp(c.a, 0.0, 1.0);
            out[column] =
                toByte(a) << 24 | toByte(c.r * a) << 16 | toByte(c.g * a) << 8 | toByte(c.b * a);
        }
    }
    cairo_surface_mark_dirty(layer);
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_operator(cr, op);
    cairo_set_source_surface(cr, layer, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(layer);
}
