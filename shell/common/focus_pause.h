#pragma once

class Game;

// A game in play pauses when its window loses the keyboard focus or is minimised, exactly as if
// the player had pressed Escape: the platform reports Escape down for one frame, so the game
// itself, its pause latch and its traces know nothing of focus. The frame after the focus left
// is the one: by then the window system has let go of every key the game saw held (Escape
// among them), so the game's latch is open and the press counts.
class FocusPause {
  public:
    // The window lost the keyboard focus or was minimised.
    void windowLeft() { armed = true; }

    // Called once a frame, before the frame runs: decides whether this frame sees Escape down.
    // Only a game in play, neither paused nor over, is paused; the menu is left alone.
    void beginFrame(const Game& game);

    // True in the one frame that must see Escape down.
    bool escapeDown() const { return pressing; }

  private:
    bool armed = false;
    bool pressing = false;
};
