// Bitmap fonts in the browser: the face the Linux game finds (Liberation Mono Bold, which has
// Courier New's metrics) ships with the page, and FreeType draws each character from it exactly
// as on Linux, as a one-bit bitmap at the same pixel size.
#include "platform/platform.h"
#include "shell/web/web_gl.h"

#include <cstdio>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

constexpr const char* kFacePath = "/fonts/LiberationMono-Bold.ttf";
constexpr int kFirstChar = 32;
constexpr int kCharCount = 96;

GlyphBitmap glyphOf(FT_Face face, int code) {
    GlyphBitmap glyph;
    if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) !=
            0 ||
        face->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
        return glyph;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    // The same origin and advance the desktop's glBitmap is given.
    glyph.originX = static_cast<float>(-slot->bitmap_left);
    glyph.originY = static_cast<float>(glyph.height - slot->bitmap_top);
    glyph.advance = static_cast<float>(slot->advance.x) / 64.0f;
    glyph.pixels.resize(static_cast<std::size_t>(glyph.width) * glyph.height);
    for (int y = 0; y < glyph.height; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
        for (int x = 0; x < glyph.width; ++x) {
            glyph.pixels[static_cast<std::size_t>(y) * glyph.width + x] =
                (row[x / 8] >> (7 - x % 8)) & 1;
        }
    }
    return glyph;
}

} // namespace

bool buildFontBitmaps(int pixelHeight, unsigned firstList) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        return false;
    }
    FT_Face face = nullptr;
    bool built = false;
    if (FT_New_Face(library, kFacePath, 0, &face) == 0) {
        // The height asked for is the character height, as the game's layout expects.
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight));
        std::vector<GlyphBitmap> glyphs;
        for (int i = 0; i < kCharCount; ++i) {
            glyphs.push_back(glyphOf(face, kFirstChar + i));
        }
        defineGlyphLists(firstList, glyphs);
        FT_Done_Face(face);
        built = true;
    } else {
        std::fprintf(stderr, "Glimmerwake: cannot read the font %s; text will not be shown\n",
                     kFacePath);
    }
    FT_Done_FreeType(library);
    return built;
}
