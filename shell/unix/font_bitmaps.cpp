// Bitmap fonts on Unix: fontconfig finds the face, FreeType draws each character as a one-bit
// bitmap, and each bitmap goes into a display list as a glBitmap that also advances the raster
// position by the character's width.
#include "platform/platform.h"

#include <GL/gl.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

// Courier New when it is installed; on a typical Linux desktop fontconfig answers with Liberation
// Mono, which has the same metrics.
constexpr const char* kFacePattern = "Courier New:bold";
constexpr int kFirstChar = 32;
constexpr int kCharCount = 96;

struct FaceFile {
    std::string path;
    int index = 0;
};

std::optional<FaceFile> findFace() {
    FcConfig* const config = FcInitLoadConfigAndFonts();
    if (config == nullptr) {
        return std::nullopt;
    }
    FcPattern* const pattern = FcNameParse(reinterpret_cast<const FcChar8*>(kFacePattern));
    std::optional<FaceFile> found;
    if (pattern != nullptr) {
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* const match = FcFontMatch(config, pattern, &result);
        FcChar8* file = nullptr;
        if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            found.emplace();
            found->path = reinterpret_cast<const char*>(file);
            FcPatternGetInteger(match, FC_INDEX, 0, &found->index);
        }
        if (match != nullptr) {
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
    }
    FcConfigDestroy(config);
    if (!found) {
        std::fprintf(stderr, "glimmerwake: no font matches \"%s\"; text will not be shown\n",
                     kFacePattern);
    }
    return found;
}

// Every font the game builds is cut from the one face: it is looked up once, and a missing face
// is reported once, not once for each font.
const FaceFile* gameFace() {
    static const std::optional<FaceFile> face = findFace();
    return face ? &*face : nullptr;
}

void reportUnreadableFace(const FaceFile& face) {
    static bool reported = false;
    if (!reported) {
        std::fprintf(stderr, "glimmerwake: cannot read the font %s; text will not be shown\n",
                     face.path.c_str());
        reported = true;
    }
}

// FreeType's rows run top-down with their own pitch; glBitmap wants them bottom-up, packed.
std::vector<GLubyte> bottomUpRows(const FT_Bitmap& bitmap) {
    const int rowBytes = (static_cast<int>(bitmap.width) + 7) / 8;
    std::vector<GLubyte> rows(static_cast<std::size_t>(rowBytes) * bitmap.rows);
    for (unsigned y = 0; y < bitmap.rows; ++y) {
        const unsigned char* source = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
        GLubyte* target = rows.data() + static_cast<std::size_t>(bitmap.rows - 1 - y) * rowBytes;
        std::copy(source, source + rowBytes, target);
    }
    return rows;
}

void compileGlyph(FT_Face face, int code, unsigned list) {
    glNewList(list, GL_COMPILE);
    if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) ==
            0 &&
        face->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        const FT_GlyphSlot glyph = face->glyph;
        const std::vector<GLubyte> rows = bottomUpRows(glyph->bitmap);
        const float advance = static_cast<float>(glyph->advance.x) / 64.0f;
        glBitmap(static_cast<GLsizei>(glyph->bitmap.width),
                 static_cast<GLsizei>(glyph->bitmap.rows), static_cast<float>(-glyph->bitmap_left),
                 static_cast<float>(static_cast<int>(glyph->bitmap.rows) - glyph->bitmap_top),
                 advance, 0.0f, rows.empty() ? nullptr : rows.data());
    }
    glEndList();
}

} // namespace

bool buildFontBitmaps(int pixelHeight, unsigned firstList) {
    const FaceFile* const file = gameFace();
    if (file == nullptr) {
        return false;
    }
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        return false;
    }
    FT_Face face = nullptr;
    bool built = false;
    if (FT_New_Face(library, file->path.c_str(), file->index, &face) == 0) {
        // The height asked for is the character height, as the game's layout expects.
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight));
        GLint alignment = 4;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        for (int i = 0; i < kCharCount; ++i) {
            compileGlyph(face, kFirstChar + i, firstList + static_cast<unsigned>(i));
        }
        glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
        FT_Done_Face(face);
        built = true;
    } else {
        reportUnreadableFace(*file);
    }
    FT_Done_FreeType(library);
    return built;
}
