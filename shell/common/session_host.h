#pragma once

#include <string>

// What the session (recording, watching, the daily run, the high scores) asks of the platform it
// runs on. Each desktop platform provides these: shell/sdl/session_host.cpp over SDL,
// shell/win32/session_host.cpp over Win32.

// Whether the letter key `letter` ('A' to 'Z') is held down, and only while the game's window has
// the keyboard: the menu's D and a watched game's Q and F are no keys of the game, and a player
// typing elsewhere presses none of them.
bool hostLetterHeld(char letter);
// The size in pixels of the picture the next buffer swap shows.
void hostDrawableSize(int& width, int& height);
// Whether the game has asked to quit, and with which status.
bool hostQuitPosted(int& status);
// This process's number: it tells apart the recordings of two runs started in the same second.
long hostProcessNumber();
// The user's home folder with its trailing separator, which the notes show as "~/"; empty where
// the notes show a path whole.
std::string hostHomeFolder();
