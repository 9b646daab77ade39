#pragma once

#include "shell/common/score_keeper.h"

#include <string>
#include <vector>

// The few lines the shell writes over the game's frame about the high scores: in the menu the
// best scores and the daily run's key, at game over the score just made, its rank and where its
// recording is kept. They go where the game's own screens leave the frame empty (docs/scores.md
// shows where), so every pixel the game draws elsewhere stays as it was.

// A line of text, its baseline's left end in pixels of the 1024 x 768 frame, top-left origin.
struct NoteLine {
    int x = 0;
    int y = 0;
    std::string text;
};

// The menu's column between its Play and Quit entries. `today` names the daily run's day, empty
// when none can be started (a recording watched); `inDaily` is the menu of a daily attempt;
// `boardLine` says how sending to the score board goes, empty when there is nothing to say.
std::vector<NoteLine> menuNoteLines(int freeBest, int dailyBest, const std::string& today,
                                    bool inDaily, const std::string& boardLine = std::string());
// The empty tunnel left of the overlay's options. `home` is shortened to "~" in the path.
std::vector<NoteLine> gameOverNoteLines(const GameOverNote& note, const std::string& home);

// The frame's rectangles the lines can cover (the tests check no pixel outside them changes).
struct NoteArea {
    int left, top, right, bottom;
};
NoteArea menuNoteArea();
NoteArea gameOverNoteArea();

// Draws the lines into the frame in the game's small font, leaving every piece of OpenGL state
// as it found it: the game's next frame starts from what its last one left.
void drawNoteLines(const std::vector<NoteLine>& lines);

// The key that starts the daily run from the menu: one the game never reads.
constexpr char kDailyKeyName = 'D';
