#include "render/gl.h"
#include "render/gl_state.h"
#include "render/hud.h"
#include "render/text.h"
#include "render/view.h"
#include "tests/support/gl_fixture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = OffscreenContext::kWidth;
constexpr int kHeight = OffscreenContext::kHeight;

// Where a point (x, y, -distance) lands on the 1024 x 768 screen with the 45-degree projection.
double screenX(double x, double distance) {
    return kWidth / 2.0 + kWidth / 2.0 * x / (distance * std::tan(M_PI / 8.0) * 4.0 / 3.0);
}
double screenY(double y, double distance) {
    return kHeight / 2.0 - kHeight / 2.0 * y / (distance * std::tan(M_PI / 8.0));
}
int pixel(double screen) {
    return static_cast<int>(std::floor(screen));
}

struct Colour {
    int r, g, b;
    bool matches(Frame::Pixel p) const {
        return std::abs(p.r - r) <= 3 && std::abs(p.g - g) <= 3 && std::abs(p.b - b) <= 3;
    }
};

// The solid colours the test gives each image, and the colours the HUD draws in.
constexpr Colour kPanelColour{60, 40, 20};
constexpr Colour kSlot1Colour{255, 255, 0};
constexpr Colour kSlot2Colour{0, 255, 255};
constexpr Colour kSlot3Colour{255, 0, 255};
constexpr Colour kLockedColour{128, 128, 128};
constexpr Colour kLifeColour{255, 128, 0};
constexpr Colour kBossTickColour{178, 76, 51};
constexpr Colour kBossLabelColour{204, 25, 25};
constexpr Colour kDotColour{255, 0, 0};
constexpr Colour kNumberColour{25, 204, 25};
constexpr Colour kLabelColour{64, 64, 140};

TextureId solidTexture(Colour c) {
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    const GLubyte texel[4] = {GLubyte(c.r), GLubyte(c.g), GLubyte(c.b), 255};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    return id;
}

// Runs of one colour along a row, as [first, last] columns.
struct Span {
    int first, last;
};
std::vector<Span> runsInRow(const Frame& frame, int y, Colour colour, int x0 = 0, int x1 = kWidth) {
    std::vector<Span> runs;
    for (int x = x0; x < x1; ++x) {
        if (!colour.matches(frame.at(x, y))) {
            continue;
        }
        if (!runs.empty() && runs.back().last == x - 1) {
            runs.back().last = x;
        } else {
            runs.push_back({x, x});
        }
    }
    return runs;
}

int countColour(const Frame& frame, Colour colour, int x0 = 0, int y0 = 0, int x1 = kWidth,
                int y1 = kHeight) {
    return frame.count(x0, y0, x1, y1, [colour](Frame::Pixel p) { return colour.matches(p); });
}

// The columns of a row range that hold any pixel of one colour.
std::vector<int> columnsWith(const Frame& frame, Colour colour, int y0, int y1) {
    std::vector<int> columns;
    for (int x = 0; x < kWidth; ++x) {
        if (countColour(frame, colour, x, y0, x + 1, y1) > 0) {
            columns.push_back(x);
        }
    }
    return columns;
}

class Hud : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sharedGlContext().ok()) << sharedGlContext().error();
        resizeView(kWidth, kHeight);
        initGlState();
        panel = solidTexture(kPanelColour);
        slot1 = solidTexture(kSlot1Colour);
        slot2 = solidTexture(kSlot2Colour);
        slot3 = solidTexture(kSlot3Colour);
        locked = solidTexture(kLockedColour);
        life = solidTexture(kLifeColour);
    }
    void TearDown() override {
        const GLuint textures[] = {panel, slot1, slot2, slot3, locked, life};
        glDeleteTextures(6, textures);
    }

    Frame draw() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawHud(panel, slot1, slot2, slot3, highestWeapon, locked, life, lives, score, radarPoints,
                bossHitPoints);
        return readFrame();
    }

    void addRadarPoint(float depth, float angle) {
        radarPoints.pushFront(std::make_unique<RadarPoint>(RadarPoint{depth, angle}));
    }

    TextureId panel = 0, slot1 = 0, slot2 = 0, slot3 = 0, locked = 0, life = 0;
    int highestWeapon = 1;
    int lives = 5;
    int score = 0;
    int bossHitPoints = 0;
    EntityList<RadarPoint> radarPoints;
};

TEST_F(Hud, BossBarHasOneTickMoreThanTheBossHasHitPoints) {
    const int barTop = pixel(screenY(0.77, 2.9));
    const int barBottom = pixel(screenY(0.73, 2.9)) + 1;
    const auto tickX = [](int i) { return screenX(0.46 + (i - 0.2) / 200.0, 2.9); };

    bossHitPoints = 0;
    Frame frame = draw();
    EXPECT_EQ(countColour(frame, kBossTickColour), 0);
    EXPECT_EQ(countColour(frame, kBossLabelColour), 0) << "no labels without a boss";

    // The ticks are 2 pixels wide and 1.6 apart: two of them light three columns, one only two.
    bossHitPoints = 1;
    frame = draw();
    const std::vector<int> two = columnsWith(frame, kBossTickColour, barTop, barBottom);
    ASSERT_EQ(two.size(), 3u);
    EXPECT_EQ(two.front(), pixel(tickX(0)));
    EXPECT_EQ(two.back(), pixel(tickX(1)));
    EXPECT_EQ(countColour(frame, kBossTickColour, 0, 0, kWidth, barTop), 0);
    EXPECT_EQ(countColour(frame, kBossTickColour, 0, barBottom, kWidth, kHeight), 0);
    const int bossBaseline = pixel(screenY(0.93, 2.9));
    const int lifeBaseline = pixel(screenY(0.85, 2.9));
    EXPECT_GT(countColour(frame, kBossLabelColour, 0, bossBaseline - 20, kWidth, bossBaseline + 3),
              50)
        << "\"Boss\"";
    EXPECT_GT(countColour(frame, kBossLabelColour, 0, lifeBaseline - 20, kWidth, lifeBaseline + 3),
              50)
        << "\"Life:\"";
    // The ticks are thick, but what follows them is drawn with thin lines and no texture.
    GLfloat lineWidth = 0.0f;
    glGetFloatv(GL_LINE_WIDTH, &lineWidth);
    EXPECT_FLOAT_EQ(lineWidth, 0.5f);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

    // At full strength the bar reaches out to tick 50.
    bossHitPoints = 50;
    frame = draw();
    const std::vector<int> full = columnsWith(frame, kBossTickColour, barTop, barBottom);
    ASSERT_FALSE(full.empty());
    EXPECT_EQ(full.front(), pixel(tickX(0)));
    EXPECT_NEAR(full.back(), tickX(50), 1.0);

    // Negative hit points leave the labels without a bar.
    bossHitPoints = -3;
    frame = draw();
    EXPECT_EQ(countColour(frame, kBossTickColour), 0);
    EXPECT_GT(countColour(frame, kBossLabelColour), 100);
}

TEST_F(Hud, RadarShowsOneDotPerPointAndLeavesThePoints) {
    struct Point {
        float depth, angle;
    };
    const Point points[] = {{-20.0f, 0.0f}, {-10.0f, 30.0f}, {-5.0f, -15.0f}};
    for (const Point& p : points) {
        addRadarPoint(p.depth, p.angle);
    }
    Frame frame = draw();
    EXPECT_EQ(radarPoints.size(), 3u);

    int nearDots = 0;
    for (const Point& p : points) {
        const int x = pixel(screenX(-0.3 + p.angle / 75.0, 2.9));
        const int y = pixel(screenY(0.7 - p.depth / 50.0, 2.9));
        EXPECT_TRUE(kDotColour.matches(frame.at(x, y))) << "dot at depth " << p.depth;
        nearDots += countColour(frame, kDotColour, x - 5, y - 5, x + 6, y + 6);
    }
    // Each dot is 0.02 across, about 6 by 6 pixels, and there is no red anywhere else.
    EXPECT_GE(nearDots, 3 * 25);
    EXPECT_EQ(countColour(frame, kDotColour), nearDots);

    // Drawing only reads: the same points draw the same dots again.
    EXPECT_EQ(countColour(draw(), kDotColour), nearDots);
}

TEST_F(Hud, RailsRunFromMinus62To60DegreesAroundTheTunnel) {
    const Frame frame = draw();
    // Where the rail at this angle crosses depth 10, ten units from the camera.
    const auto railPixels = [&frame](double degrees) {
        const double a = degrees * M_PI / 180.0;
        const int x = pixel(screenX(3.5 * std::sin(a), 10.0));
        const int y = pixel(screenY(1.0 - 3.5 * std::cos(a), 10.0));
        return frame.count(x - 1, y - 1, x + 2, y + 2,
                           [](Frame::Pixel p) { return p.b > 100 && p.b > p.r; });
    };
    for (int degrees = -62; degrees <= 60; degrees += 2) {
        EXPECT_GT(railPixels(degrees), 0) << degrees << " degrees";
    }
    EXPECT_EQ(railPixels(62), 0);
    EXPECT_EQ(railPixels(-64), 0);
}

TEST_F(Hud, LifeIconsFollowTheLivesWhileTheLabelStays) {
    const int iconRow = pixel(screenY(1.0, 3.0));
    const int labelBottom = pixel(screenY(1.1, 2.9)) + 6;
    lives = 5;
    Frame frame = draw();
    const std::vector<Span> icons = runsInRow(frame, iconRow, kLifeColour);
    ASSERT_EQ(icons.size(), 5u);
    EXPECT_NEAR((icons.front().first + icons.front().last + 1) / 2.0, screenX(1.14, 3.0), 1.0);
    EXPECT_NEAR((icons.back().first + icons.back().last + 1) / 2.0, screenX(1.54, 3.0), 1.0);
    const int label = countColour(frame, kLabelColour, 840, 0, kWidth, labelBottom);
    EXPECT_GT(label, 100) << "\"Lives:\"";

    for (const int n : {2, 0}) {
        lives = n;
        frame = draw();
        EXPECT_EQ(runsInRow(frame, iconRow, kLifeColour).size(), std::size_t(n));
        EXPECT_EQ(countColour(frame, kLabelColour, 840, 0, kWidth, labelBottom), label);
    }
    EXPECT_EQ(countColour(frame, kLifeColour), 0);
}

// The score's text-coloured pixels against those of drawText writing the expected text itself.
TEST_F(Hud, ScoreIsPrintedAsAPlainDecimal) {
    const int x0 = pixel(screenX(1.13, 2.9)) - 4;
    const int y0 = pixel(screenY(0.65, 2.9)) - 24;
    const int y1 = pixel(screenY(0.65, 2.9)) + 8;
    const auto scoreMask = [&](const Frame& frame) {
        std::vector<bool> mask;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < kWidth; ++x) {
                mask.push_back(kLabelColour.matches(frame.at(x, y)));
            }
        }
        return mask;
    };
    const auto reference = [&](const char* text) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_TEXTURE_2D);
        glLoadIdentity();
        glTranslatef(0.0f, 0.0f, -2.9f);
        glColor3f(0.25f, 0.25f, 0.55f);
        glRasterPos2f(1.13f, 0.65f);
        drawText(FontNormal, "%s", text);
        return scoreMask(readFrame());
    };

    const struct {
        int score;
        const char* text;
    } cases[] = {{0, "0"}, {-45, "-45"}, {1200, "1200"}, {2147483647, "2147483647"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        score = c.score;
        const std::vector<bool> drawn = scoreMask(draw());
        const std::vector<bool> expected = reference(c.text);
        EXPECT_GT(std::count(expected.begin(), expected.end(), true), 20);
        EXPECT_EQ(drawn, expected);
    }
}

// Slots step right by 0.18 after an unlocked slot and by 0.2 after a locked one; the numbers
// under them name only the weapons that can be selected.
TEST_F(Hud, WeaponPanelShowsTheUnlockedSketchesAndTheirNumbers) {
    const int slotRow = pixel(screenY(1.11, 3.0));
    const int numberBaseline = pixel(screenY(1.01, 2.9));
    const auto numberPixels = [numberBaseline](const Frame& frame, double x) {
        const int left = pixel(screenX(x, 2.9));
        return countColour(frame, kNumberColour, left - 2, numberBaseline - 16, left + 14,
                           numberBaseline + 4);
    };
    struct Slot {
        Colour colour;
        double left, right;
    };
    const Slot first{kSlot1Colour, -1.62, -1.52};
    const Slot second{kSlot2Colour, -1.44, -1.34};
    const std::vector<Slot> panels[] = {
        {first, {kLockedColour, -1.42, -1.32}, {kLockedColour, -1.22, -1.12}},
        {first, second, {kLockedColour, -1.24, -1.14}},
        // The third sketch is narrower, from 0.03 left of its place to 0.045 right of it.
        {first, second, {kSlot3Colour, -1.24, -1.165}},
    };
    for (int weapon = 1; weapon <= 3; ++weapon) {
        SCOPED_TRACE(weapon);
        highestWeapon = weapon;
        const Frame frame = draw();
        std::size_t slots = 0;
        for (const Colour colour : {kSlot1Colour, kSlot2Colour, kSlot3Colour, kLockedColour}) {
            slots += runsInRow(frame, slotRow, colour).size();
        }
        EXPECT_EQ(slots, 3u);
        for (const Slot& slot : panels[weapon - 1]) {
            const int x0 = pixel(screenX(slot.left, 3.0));
            const int x1 = pixel(screenX(slot.right, 3.0));
            const std::vector<Span> found = runsInRow(frame, slotRow, slot.colour, x0 - 3, x1 + 4);
            ASSERT_EQ(found.size(), 1u) << "slot at " << slot.left;
            EXPECT_NEAR(found[0].first, screenX(slot.left, 3.0), 1.0);
            EXPECT_NEAR(found[0].last + 1, screenX(slot.right, 3.0), 1.0);
        }

        const int one = numberPixels(frame, -1.47);
        const int two = numberPixels(frame, -1.29);
        const int three = numberPixels(frame, -1.11);
        EXPECT_GT(one, 10);
        EXPECT_EQ(two > 0, weapon > 1);
        EXPECT_EQ(three > 0, weapon > 2);
        EXPECT_EQ(countColour(frame, kNumberColour), one + two + three);
    }
}

// The images' top row is at the top and their left column (s = 0) on the right-hand side.
TEST_F(Hud, PanelStripShowsItsImageWithTheFirstColumnOnTheRight) {
    // Top row: red at s = 0, green at s = 1; bottom row: blue, then yellow.
    const GLubyte texels[] = {200, 0, 0, 255, 0, 200, 0, 255, 0, 0, 200, 255, 200, 200, 0, 255};
    glBindTexture(GL_TEXTURE_2D, panel);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    const Frame frame = draw();
    const int middleY = pixel(screenY(0.83, 3.0));
    EXPECT_TRUE((Colour{200, 0, 0}.matches(frame.at(780, middleY - 60))));
    EXPECT_TRUE((Colour{0, 200, 0}.matches(frame.at(200, middleY - 60))));
    EXPECT_TRUE((Colour{0, 0, 200}.matches(frame.at(780, middleY + 60))));
    EXPECT_TRUE((Colour{200, 200, 0}.matches(frame.at(200, middleY + 60))));
    // The strip ends at y 0.435, a third of the way down, and leaves a sliver above it.
    EXPECT_EQ(frame.at(200, pixel(screenY(0.43, 3.0)) + 1).r, 0);
    EXPECT_EQ(frame.at(200, 1).g, 0);
}

} // namespace
