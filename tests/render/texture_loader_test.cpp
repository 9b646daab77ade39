#include "render/gl.h"
#include "render/png_image.h"
#include "render/texture.h"
#include "tests/support/gl_fixture.h"
#include "tests/support/png_files.h"

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <zlib.h>

namespace {

class TextureLoader : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(sharedGlContext().ok()) << sharedGlContext().error(); }

    TextureId loadBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = scratchPath(name);
        writeFile(path, bytes);
        return loadTexture(path.c_str());
    }
};

std::vector<std::uint8_t> readBack(TextureId id, int& width, int& height) {
    glBindTexture(GL_TEXTURE_2D, id);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<std::uint8_t> pixels(std::size_t(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void appendChunk(std::vector<std::uint8_t>& png, const char* type,
                 const std::vector<std::uint8_t>& data) {
    const auto put32 = [&png](std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            png.push_back(static_cast<std::uint8_t>(v >> shift));
        }
    };
    put32(static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    png.insert(png.end(), typed.begin(), typed.end());
    put32(static_cast<std::uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

// A well-formed header promising an enormous RGBA image, and no pixel data at all.
std::vector<std::uint8_t> hugeHeaderPng(std::uint32_t side) {
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    for (int i = 0; i < 2; ++i) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            header.push_back(static_cast<std::uint8_t>(side >> shift));
        }
    }
    header.insert(header.end(), {8, 6, 0, 0, 0});
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IEND", {});
    return png;
}

TEST_F(TextureLoader, RgbaKeepsTheFilesTopRowAtTZeroWithItsAlpha) {
    const TextureId id = loadBytes("rgba.png", makePng(PngKind::Rgba, 4, 2));
    ASSERT_NE(id, 0u);
    int width = 0;
    int height = 0;
    const std::vector<std::uint8_t> pixels = readBack(id, width, height);
    ASSERT_EQ(width, 4);
    ASSERT_EQ(height, 2);
    // Texel (s = 3, t = 0) is the file's top row, fourth column.
    EXPECT_EQ(pixels[3 * 4 + 0], 48);
    EXPECT_EQ(pixels[3 * 4 + 1], 0);
    EXPECT_EQ(pixels[3 * 4 + 3], 252);
    // Texel (s = 0, t = 1) is the file's second row.
    EXPECT_EQ(pixels[4 * 4 + 1], 16);

    GLint filter = 0;
    GLint wrap = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    EXPECT_EQ(filter, GL_NEAREST);
    EXPECT_EQ(wrap, GL_CLAMP);
}

TEST_F(TextureLoader, OtherPngKindsAreConvertedToRgba) {
    struct Case {
        PngKind kind;
        const char* name;
        int red;   // of texel (2, 0)
        int alpha; // of texel (2, 0)
    };
    const Case cases[] = {
        {PngKind::Rgb, "rgb.png", 32, 255},       {PngKind::Palette, "palette.png", 32, 255},
        {PngKind::Grey, "grey.png", 32, 255},     {PngKind::GreyAlpha, "grey-alpha.png", 32, 253},
        {PngKind::Rgba16, "rgba16.png", 32, 253}, {PngKind::InterlacedRgba, "adam7.png", 32, 253},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TextureId id = loadBytes(c.name, makePng(c.kind, 8, 8));
        ASSERT_NE(id, 0u);
        int width = 0;
        int height = 0;
        const std::vector<std::uint8_t> pixels = readBack(id, width, height);
        ASSERT_EQ(width, 8);
        ASSERT_EQ(height, 8);
        EXPECT_EQ(pixels[2 * 4 + 0], c.red);
        EXPECT_EQ(pixels[2 * 4 + 3], c.alpha);
    }
}

TEST_F(TextureLoader, BadFilesGiveZero) {
    EXPECT_EQ(loadTexture(nullptr), 0u);
    EXPECT_EQ(loadTexture(scratchPath("no-such-file.png").c_str()), 0u);
    EXPECT_EQ(loadBytes("empty.png", {}), 0u);
    const std::vector<std::uint8_t> text = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g', '\n'};
    EXPECT_EQ(loadBytes("text.png", text), 0u);

    std::vector<std::uint8_t> truncated = makePng(PngKind::Rgba, 64, 64);
    truncated.resize(truncated.size() / 2);
    EXPECT_EQ(loadBytes("truncated.png", truncated), 0u);
    EXPECT_EQ(loadBytes("signature-only.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}), 0u);

    const std::string directory = scratchPath("a-directory.png");
    std::filesystem::create_directories(directory);
    EXPECT_EQ(loadTexture(directory.c_str()), 0u);
}

TEST_F(TextureLoader, AFifoInPlaceOfAnImageIsRefusedWithoutWaitingForAWriter) {
    const std::string fifo = scratchPath("fifo.png");
    std::filesystem::remove(fifo);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // GL calls belong on this thread: the load runs here, and a watcher frees it if it blocks.
    std::atomic<bool> done{false};
    bool blocked = false;
    std::thread watcher([&] {
        for (int i = 0; i < 500 && !done; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!done) {
            blocked = true;
            const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) {
                close(writer);
            }
        }
    });
    const TextureId id = loadTexture(fifo.c_str());
    done = true;
    watcher.join();
    EXPECT_FALSE(blocked) << "the load waited for a writer";
    EXPECT_EQ(id, 0u);
}

TEST_F(TextureLoader, HugeDeclaredSizesAreRefusedBeforeAllocating) {
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    ASSERT_GT(maxSize, 0);
    EXPECT_EQ(loadBytes("just-too-big.png", hugeHeaderPng(std::uint32_t(maxSize) + 1)), 0u);
    EXPECT_EQ(loadBytes("enormous.png", hugeHeaderPng(1000000)), 0u);
    EXPECT_EQ(loadBytes("widest.png", hugeHeaderPng(0x7FFFFFFF)), 0u);
}

TEST(PngDecoding, DamagedBytesNeverCrashTheDecoder) {
    const std::vector<std::uint8_t> good = makePng(PngKind::InterlacedRgba, 16, 16);
    ASSERT_TRUE(decodePng(good.data(), good.size(), 64).has_value());
    for (std::size_t i = 8; i < good.size(); ++i) {
        std::vector<std::uint8_t> damaged = good;
        damaged[i] ^= 0x5A;
        const auto image = decodePng(damaged.data(), damaged.size(), 64);
        if (image) {
            EXPECT_EQ(image->pixels.size(), std::size_t(image->width) * image->height * 4);
        }
    }
    EXPECT_FALSE(decodePng(good.data(), good.size(), 8).has_value());
    EXPECT_FALSE(decodePng(nullptr, 0, 64).has_value());
}

} // namespace
