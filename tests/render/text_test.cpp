#include "render/gl.h"
#include "render/gl_state.h"
#include "render/text.h"
#include "render/view.h"
#include "tests/support/gl_fixture.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(PrintableText, KeepsAtMost255CharactersAndOnlyThoseWithGlyphs) {
    char out[256];
    const std::string longText(300, 'x');
    EXPECT_EQ(printableText(longText.c_str(), out), 255);
    EXPECT_EQ(std::string(out), std::string(255, 'x'));

    // Codes past 127 would reach into the display lists of the next font.
    EXPECT_EQ(printableText("\x80"
                            "A\x1f"
                            "B\xff"
                            "~\x7f",
                            out),
              4);
    EXPECT_EQ(std::string(out), "AB~\x7f");
    EXPECT_EQ(printableText("", out), 0);
}

class TextDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sharedGlContext().ok()) << sharedGlContext().error();
        resizeView(OffscreenContext::kWidth, OffscreenContext::kHeight);
        initGlState();
    }

    // Clears the frame, places the raster at the left middle of the view and lets `draw` write.
  public:
    template <typename Draw> Frame drawAtLeftMiddle(Draw draw) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_TEXTURE_2D);
        glColor3f(1.0f, 1.0f, 1.0f);
        glLoadIdentity();
        glTranslatef(0.0f, 0.0f, -1.0f);
        glRasterPos2f(-0.5f, 0.0f);
        draw();
        return readFrame();
    }
};

int litPixels(const Frame& frame) {
    return frame.count(0, 0, OffscreenContext::kWidth, OffscreenContext::kHeight,
                       [](Frame::Pixel p) { return p.r > 128; });
}

TEST_F(TextDrawing, TwoCallsWithoutANewRasterPositionContinueOneLine) {
    const Frame together = drawAtLeftMiddle([] { drawText(FontNormal, "Press [1]"); });
    const Frame split = drawAtLeftMiddle([] {
        drawText(FontNormal, "Press");
        drawText(FontNormal, "%s", " [1]");
    });
    const Frame first = drawAtLeftMiddle([] { drawText(FontNormal, "Press"); });
    ASSERT_GT(litPixels(first), 50) << "no glyphs were drawn: is a font installed?";
    EXPECT_GT(litPixels(together), litPixels(first));
    EXPECT_EQ(together.rgb, split.rgb);
}

TEST_F(TextDrawing, EmptyAndNullTextsLeaveTheRasterPositionAlone) {
    const Frame plain = drawAtLeftMiddle([] { drawText(FontNormal, "A"); });
    const Frame afterEmpty = drawAtLeftMiddle([] {
        drawText(FontNormal, "%s", "");
        drawText(FontNormal, nullptr);
        drawText(FontNormal, "A");
    });
    EXPECT_EQ(plain.rgb, afterEmpty.rgb);
}

// Rows, from the top of the view, that a capital letter in this font covers.
int glyphHeight(TextDrawing& test, Font font) {
    const Frame frame = test.drawAtLeftMiddle([font] { drawText(font, "H"); });
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < OffscreenContext::kHeight; ++y) {
        if (frame.count(0, y, OffscreenContext::kWidth, y + 1,
                        [](Frame::Pixel p) { return p.r > 128; }) > 0) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    }
    return top < 0 ? 0 : bottom - top + 1;
}

TEST_F(TextDrawing, TheThreeFontsDifferInHeight) {
    const int small = glyphHeight(*this, FontSmall);
    const int normal = glyphHeight(*this, FontNormal);
    const int large = glyphHeight(*this, FontLarge);
    EXPECT_GT(small, 5);
    EXPECT_LT(small, normal);
    EXPECT_LT(normal, large);
    // A capital is a little over half the character height: 16, 24 and 38 pixels.
    EXPECT_NEAR(large, 38 * 0.6, 6);
}

} // namespace
