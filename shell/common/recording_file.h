#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <thread>

// The file a recording is written into, as each platform has it (shell/unix/, shell/win32/). The
// recorder opens it on the game's thread and writes and closes it on a thread of its own.

// Opens `path` for writing from its start, created when it is missing, without waiting: a FIFO
// nobody reads must not hold up the game's start. -1 with the reason in `why` when it cannot.
int openRecordingFile(const std::string& path, std::string& why);

// Writes some of the bytes and returns how many; 0 or less with the reason in `why` when nothing
// could be written. An interrupted write is tried again inside.
long writeRecordingFile(int file, const char* data, std::size_t size, std::string& why);

// False with the reason in `why` when the file could not be closed cleanly.
bool closeRecordingFile(int file, std::string& why);

// Starts `body` on a thread of its own that takes none of the signals the game's thread ends the
// game on in order.
std::thread startWriterThread(std::function<void()> body);
