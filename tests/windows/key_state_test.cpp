// The game reads the keyboard only while its window has it: the foreground and the key state
// are played by the test, since Wine keeps key state per thread and never shows another
// program's keys.
#include "platform/virtual_keys.h"
#include "shell/win32/key_state.h"

#include <gtest/gtest.h>
#include <set>

namespace {

// The desktop the fakes answer from.
struct FakeDesktop {
    HWND foreground = nullptr;
    bool minimised = false;
    std::set<int> held;
    int keyStateQueries = 0;
};

FakeDesktop desktop;

HWND WINAPI fakeForeground() {
    return desktop.foreground;
}

BOOL WINAPI fakeMinimised(HWND) {
    return desktop.minimised ? TRUE : FALSE;
}

SHORT WINAPI fakeKeyState(int virtualKey) {
    ++desktop.keyStateQueries;
    // Down now, and the "pressed since the last query" bit as Windows sets it.
    return desktop.held.count(virtualKey) != 0 ? static_cast<SHORT>(0x8001) : SHORT{0};
}

// Pressed and let go since the last query: only the low bit is set.
SHORT WINAPI fakePressedBefore(int) {
    return SHORT{1};
}

const KeyboardQueries kFake = {fakeForeground, fakeMinimised, fakeKeyState};

// Two handles that are never dereferenced.
const HWND kGame = reinterpret_cast<HWND>(0x1000);
const HWND kEditor = reinterpret_cast<HWND>(0x2000);

class FocusedKeys : public ::testing::Test {
  protected:
    void SetUp() override { desktop = FakeDesktop{}; }
};

TEST_F(FocusedKeys, KeysCountOnlyWhileTheGameIsTheForegroundWindow) {
    desktop.held = {KeySpace, KeyF4};
    desktop.foreground = kGame;
    EXPECT_TRUE(focusedKeyDown(KeySpace, kGame, kFake));
    EXPECT_TRUE(focusedKeyDown(KeyF4, kGame, kFake));
    EXPECT_FALSE(focusedKeyDown(KeyLeft, kGame, kFake));

    // The player types in another program: its keys are not the game's.
    desktop.foreground = kEditor;
    EXPECT_FALSE(focusedKeyDown(KeySpace, kGame, kFake));
    EXPECT_FALSE(focusedKeyDown(KeyF4, kGame, kFake));
    // Nobody has the foreground while Windows switches between windows.
    desktop.foreground = nullptr;
    EXPECT_FALSE(focusedKeyDown(KeySpace, kGame, kFake));
    EXPECT_EQ(desktop.keyStateQueries, 3);
}

TEST_F(FocusedKeys, AMinimisedOrMissingWindowSeesNoKeys) {
    desktop.held = {KeySpace};
    desktop.foreground = kGame;
    desktop.minimised = true;
    EXPECT_FALSE(focusedKeyDown(KeySpace, kGame, kFake));
    desktop.minimised = false;
    // Before the window exists (or after it failed), nothing is read.
    desktop.foreground = nullptr;
    EXPECT_FALSE(focusedKeyDown(KeySpace, nullptr, kFake));
}

TEST_F(FocusedKeys, OnlyTheDownNowBitCounts) {
    desktop.foreground = kGame;
    const KeyboardQueries pressedBefore = {fakeForeground, fakeMinimised, fakePressedBefore};
    EXPECT_FALSE(focusedKeyDown(KeySpace, kGame, pressedBefore));
}

} // namespace
