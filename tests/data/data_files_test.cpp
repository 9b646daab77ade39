#include "render/game_textures.h"
#include "render/gl.h"
#include "render/texture.h"
#include "tests/support/gl_fixture.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

std::vector<char> fileBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool powerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

// Every image the game loads is there, is an RGBA PNG the game's own loader accepts, has a
// power-of-two size (OpenGL 1.1 wants one), shows something, and is not a copy of another.
TEST(DataFiles, EveryImageLoadsAsADistinctPowerOfTwoRgbaPicture) {
    ASSERT_TRUE(sharedGlContext().ok()) << sharedGlContext().error();
    std::map<std::vector<char>, std::string> seen;
    for (int i = 0; i < kGameTextureCount; ++i) {
        const char* const path = gameTexturePath(i);
        SCOPED_TRACE(path);
        const std::vector<char> bytes = fileBytes(path);
        ASSERT_GT(bytes.size(), 33u);
        // IHDR: bit depth 8 and colour type 6, RGBA.
        EXPECT_EQ(bytes[24], 8);
        EXPECT_EQ(bytes[25], 6);
        const auto [other, fresh] = seen.emplace(bytes, path);
        EXPECT_TRUE(fresh) << "same bytes as " << other->second;

        const TextureId id = loadTexture(path);
        ASSERT_NE(id, 0u);
        glBindTexture(GL_TEXTURE_2D, id);
        GLint width = 0;
        GLint height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        EXPECT_TRUE(powerOfTwo(width) && powerOfTwo(height)) << width << " x " << height;

        std::vector<unsigned char> pixels(std::size_t(width) * height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        int visible = 0;
        for (std::size_t p = 3; p < pixels.size(); p += 4) {
            visible += pixels[p] > 16 && (pixels[p - 3] | pixels[p - 2] | pixels[p - 1]) > 16;
        }
        EXPECT_GT(visible, width * height / 50) << "next to nothing to see";
    }
}

} // namespace
