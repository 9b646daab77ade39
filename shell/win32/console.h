#pragma once

#include <string>

// Where the words of a program built for the desktop go. Windows gives such a program no console:
// started from a command prompt it has no standard output unless the prompt sent it to a file or
// a pipe. So it writes into the console it was started from, when there is one, and otherwise
// shows what it has to say in a message box.

// Connects standard output and error that lead nowhere to the console the program was started
// from. False when there is none (Explorer, a shortcut) and they still lead nowhere.
bool connectStandardStreams();

// Says `text` to the player: on standard output (or error, for a failure) when that reaches
// somebody, else in a message box with the game's name as its caption.
void tellPlayer(const std::string& text, bool failure);
