#pragma once

// SDL's message boxes wait for the user in a loop of their own, deaf to signals: a game asked to
// stop (SIGTERM from a session ending, Ctrl+C in a terminal) while its start-up box is open would
// hang until someone clicked. Here the box waits on a thread of its own while the calling thread
// waits for either the box or SIGTERM or SIGINT. On X11, SDL shows the box from a child process
// (which inherits the signal handlers and so would outlive the game): on a signal it is killed.

enum class BoxOutcome {
    Closed,      // the user closed the box
    Unavailable, // no box could be shown (no display, say)
    Interrupted, // SIGTERM or SIGINT came first; the box is taken down
};

BoxOutcome showInterruptibleBox(const char* caption, const char* text);
