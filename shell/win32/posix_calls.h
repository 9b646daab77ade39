#pragma once

// The few POSIX calls the recorder makes, as the C runtime of Windows has them. The recorder is
// the Linux game's own file (shell/common/recorder.cpp), compiled for Windows with this header
// put in front of it, so that a recording is written the same way, by the same code, on both.
#include <fcntl.h>
#include <io.h>
#include <pthread.h>
#include <sys/types.h>

// Windows sends no signals to threads (Ctrl+C and closing the window are messages to the game's
// loop), so the writer thread has no signals to block.
using sigset_t = _sigset_t;
inline int sigfillset(sigset_t* set) {
    *set = ~sigset_t{0};
    return 0;
}

// A file opened by the C runtime has no blocking mode to clear: it never opens a FIFO that waits.
#define O_NONBLOCK 0
#define F_SETFL 4
inline int fcntl(int, int, int) {
    return 0;
}

// Not inherited by programs the game starts, as O_CLOEXEC; and binary, because the runtime's text
// mode would write every newline as CR LF, and a recording must have the same bytes everywhere.
#define O_CLOEXEC (_O_NOINHERIT | _O_BINARY)
