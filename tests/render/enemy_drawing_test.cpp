#include "entities/boss_enemy.h"
#include "entities/ring_enemy.h"
#include "entities/splitter_enemy.h"
#include "entities/square_enemy.h"
#include "entities/wedge_enemy.h"
#include "render/entity_drawing.h"
#include "render/gl.h"
#include "render/gl_state.h"
#include "render/view.h"
#include "tests/entities/placed.h"
#include "tests/support/gl_fixture.h"

#include <gtest/gtest.h>

namespace {

class EnemyDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sharedGlContext().ok()) << sharedGlContext().error();
        resizeView(1024, 768);
        initGlState();
        // The context is shared by every test of the binary: a texture another test left bound
        // would tint the outlines, which draw with whatever texturing the frame left them.
        glBindTexture(GL_TEXTURE_2D, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
};

bool isWedgeRed(Frame::Pixel p) {
    return p.r > 180 && p.g < 20 && p.b < 20;
}

bool isSquarePurple(Frame::Pixel p) {
    return p.r > 130 && p.r < 175 && p.g < 20 && p.b > 180;
}

TEST_F(EnemyDrawing, WedgeStraightAheadLiesOnTheFloorBelowTheCentre) {
    Placed<WedgeEnemy> wedge(0);
    wedge.place(-10.0f, 0.0f);
    drawEnemy(wedge);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    const Frame frame = readFrame();
    EXPECT_GT(frame.count(490, 550, 534, 590, isWedgeRed), 100);
    EXPECT_EQ(frame.count(0, 0, 1024, 550, isWedgeRed), 0);
    EXPECT_EQ(frame.count(0, 0, 490, 768, isWedgeRed), 0);
    EXPECT_EQ(frame.count(534, 0, 1024, 768, isWedgeRed), 0);
}

TEST_F(EnemyDrawing, PositiveAnglesAreToTheRight) {
    Placed<SquareEnemy> square;
    square.place(-12.0f, 20.0f);
    drawEnemy(square);
    const Frame frame = readFrame();
    EXPECT_GT(frame.count(512, 384, 1024, 768, isSquarePurple), 100);
    EXPECT_EQ(frame.count(0, 0, 512, 768, isSquarePurple), 0);
}

TEST_F(EnemyDrawing, OutlinedKindsLeaveTheirLineWidthSet) {
    RingEnemy ring;
    drawEnemy(ring);
    GLfloat width = 0.0f;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(width, 4.0f);

    const SplitterEnemy splitter(1, 0.0f, 0.0f);
    drawSplitter(splitter);
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(width, 6.0f);

    // And the outline is really drawn.
    const Frame frame = readFrame();
    const auto isBlue = [](Frame::Pixel p) { return p.b > 120 && p.r < 60 && p.g < 100; };
    EXPECT_GT(frame.count(0, 0, 1024, 768, isBlue), 50);
}

} // namespace
