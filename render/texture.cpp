#include "render/texture.h"

#include "platform/platform.h"
#include "render/gl.h"
#include "render/png_image.h"

#include <vector>

namespace {

// No image the game draws comes near this; anything larger is not one of ours and is refused
// before it is read into memory.
constexpr std::size_t kMaxFileBytes = 64UL * 1024 * 1024;

int maxTextureSize() {
    // Without a current context the query writes nothing, and the 0 refuses every image.
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return size;
}

} // namespace

TextureId loadTexture(const char* path) {
    if (path == nullptr) {
        return 0;
    }
    const std::vector<std::uint8_t> bytes = readSmallFile(path, kMaxFileBytes);
    const std::optional<RgbaImage> image = decodePng(bytes.data(), bytes.size(), maxTextureSize());
    if (!image) {
        return 0;
    }
    // Without a context glGenTextures writes nothing, so the name must start out as 0.
    GLuint name = 0;
    glGenTextures(1, &name);
    if (name == 0) {
        return 0;
    }
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    // The file's first row goes first, which puts the top of the picture at t = 0.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image->width, image->height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, image->pixels.data());
    return name;
}
