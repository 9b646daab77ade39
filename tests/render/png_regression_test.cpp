// Inputs the fuzzer found to upset the PNG decoder, kept so that the fault stays fixed.

#include "render/png_image.h"
#include "tests/support/png_files.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <zlib.h>

namespace {

// Resident memory in bytes: the process's high-water mark, or what it holds now.
std::size_t residentBytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string name;
    while (status >> name) {
        if (name == field) {
            std::size_t kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
    }
    return 0;
}

// Starts the high-water mark of resident memory afresh at what the process holds now.
bool resetResidentPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

constexpr std::size_t kMiB = 1024 * 1024;

// Decodes `png` and says how much memory beyond what the process held the decoding touched.
std::size_t memoryToDecode(const std::vector<std::uint8_t>& png, bool& decoded) {
    resetResidentPeak();
    const std::size_t before = residentBytes("VmRSS:");
    decoded = decodePng(png.data(), png.size(), 2048).has_value();
    const std::size_t peak = residentBytes("VmHWM:");
    return peak > before ? peak - before : 0;
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::vector<std::uint8_t> chunk(const char* kind, const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> typed(kind, kind + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    std::vector<std::uint8_t> out;
    put32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), typed.begin(), typed.end());
    put32(out, static_cast<std::uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
    return out;
}

// `png` with `extra` placed just before its first image data chunk.
std::vector<std::uint8_t> withBeforeImageData(std::vector<std::uint8_t> png,
                                              const std::vector<std::uint8_t>& extra) {
    const char kImageData[] = {'I', 'D', 'A', 'T'};
    const auto kind = std::search(png.begin(), png.end(), kImageData, kImageData + 4);
    png.insert(kind - 4, extra.begin(), extra.end());
    return png;
}

// A 4 x 4 RGB image whose compressed-text chunk claims 0x555C001D bytes, in a file of 190.
const std::vector<std::uint8_t> kFoundGiantText = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52,
    0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x04, 0x08, 0x02, 0x00, 0x00, 0x00, 0x26, 0x93, 0x09,
    0x29, 0x00, 0x00, 0x00, 0x04, 0x67, 0x41, 0x4d, 0x41, 0x00, 0x00, 0xb1, 0x8f, 0x0b, 0xfc, 0x61,
    0x05, 0x00, 0x00, 0x00, 0x01, 0x73, 0x52, 0x47, 0x42, 0x00, 0xae, 0xce, 0x1c, 0xe9, 0x00, 0x00,
    0x00, 0x1b, 0x74, 0x45, 0x58, 0x74, 0x43, 0x6f, 0x6d, 0x6d, 0x65, 0x6e, 0x74, 0x00, 0x6d, 0x61,
    0x64, 0x65, 0x20, 0x66, 0x6f, 0x72, 0x20, 0x74, 0x68, 0x65, 0x20, 0x66, 0x75, 0x7a, 0x7a, 0x00,
    0x00, 0x60, 0x40, 0x00, 0x07, 0x55, 0x5c, 0x00, 0x1d, 0x7a, 0x54, 0x58, 0x74, 0x4e, 0x6f, 0x74,
    0x65, 0x00, 0x00, 0x78, 0x9c, 0x4b, 0xce, 0xcf, 0x2d, 0x28, 0x4a, 0x2d, 0x2e, 0x4e, 0x4d, 0x51,
    0x28, 0x49, 0xad, 0x28, 0x01, 0x00, 0x31, 0x50, 0x06, 0x1b, 0x62, 0x2b, 0x46, 0x1a, 0x00, 0x00,
    0x00, 0x09, 0x70, 0x48, 0x59, 0x73, 0x00, 0x00, 0x0b, 0x13, 0x00, 0x00, 0x0b, 0x13, 0x01, 0x00,
    0x9a, 0x9c, 0x18, 0x00, 0x00, 0x00, 0x09, 0x49, 0x44, 0x41, 0x54, 0x78, 0xda, 0x63, 0x00, 0x00,
    0x00, 0x93, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82,
};

} // namespace

// libpng allocates, and clears, a buffer of the length such a chunk claims before reading it, so
// a file of a few bytes made the decoder take up to 2 GiB for a second or more.
TEST(PngRegression, ChunksClaimingGigabytesTakeNoMemory) {
    if (!resetResidentPeak()) {
        GTEST_SKIP() << "this kernel cannot restart the count of peak memory";
    }
    bool decoded = true;
    EXPECT_LT(memoryToDecode(kFoundGiantText, decoded), 64 * kMiB);
    EXPECT_FALSE(decoded);

    // Every kind of chunk with contents libpng would read, each claiming the most a chunk may
    // hold, with a few bytes of it there.
    for (const char* kind : {"zTXt", "tEXt", "iTXt", "iCCP", "sPLT", "eXIf", "pCAL", "sCAL"}) {
        SCOPED_TRACE(kind);
        std::vector<std::uint8_t> giant;
        put32(giant, 0x7FFFFFFF);
        giant.insert(giant.end(), kind, kind + 4);
        giant.insert(giant.end(), {'a', 0, 0, 'b'});
        decoded = true;
        EXPECT_LT(memoryToDecode(withBeforeImageData(makePng(PngKind::Rgb, 4, 4), giant), decoded),
                  64 * kMiB);
        EXPECT_FALSE(decoded);
    }
}

TEST(PngRegression, TextAndProfilesAreSkippedAndTransparencyKept) {
    const std::vector<std::uint8_t> plain = makePng(PngKind::Palette, 8, 3);
    const std::optional<RgbaImage> expected = decodePng(plain.data(), plain.size(), 64);
    ASSERT_TRUE(expected.has_value());

    std::vector<std::uint8_t> extras;
    for (const auto& more :
         {chunk("tEXt", {'T', 'i', 't', 'l', 'e', 0, 'x'}), chunk("gAMA", {0, 0, 0xb1, 0x8f}),
          chunk("iCCP", {'p', 0, 0, 0x78, 0x9c, 0x03, 0}), chunk("zTXt", {'z', 0, 0, 0x78, 0x9c}),
          chunk("bKGD", {0}), chunk("prVt", {1, 2, 3}),
          // Palette entry 0, the left column, becomes fully transparent.
          chunk("tRNS", {0})}) {
        extras.insert(extras.end(), more.begin(), more.end());
    }
    const std::vector<std::uint8_t> decorated = withBeforeImageData(plain, extras);
    const std::optional<RgbaImage> image = decodePng(decorated.data(), decorated.size(), 64);
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->width, 8);
    ASSERT_EQ(image->height, 3);
    ASSERT_EQ(image->pixels.size(), expected->pixels.size());
    for (std::size_t i = 0; i < image->pixels.size(); ++i) {
        const bool alpha = i % 4 == 3;
        const bool leftColumn = i / 4 % 8 == 0;
        EXPECT_EQ(image->pixels[i], alpha && leftColumn ? 0 : expected->pixels[i]) << "byte " << i;
    }
}
