#pragma once

// What the watcher (shell/common/watcher.h) asks of the window a game is watched in. Each desktop
// platform provides these beside its own window.

// The watcher's own keys, which are not keys of the game, so that nobody presses them meaning to
// play: Q ends the watching, F held runs it fast.
enum class WatchKey { Stop, Fast };

// True while the key is held on the keyboard of the game's window.
bool watchKeyHeld(WatchKey key);

// True once the game, the window or a failure has asked the program to end, with the exit status
// asked for.
bool quitRequested(int& exitCode);

// The size, in pixels, of what the game draws into.
void drawableSize(int& width, int& height);
