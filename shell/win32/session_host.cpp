#include "shell/common/session_host.h"

#include "shell/common/score_sender.h"
#include "shell/win32/game_window.h"
#include "shell/win32/key_state.h"

#include <cstdio>

bool hostLetterHeld(char letter) {
    // A letter's virtual key is its capital's character code.
    return focusedKeyDown(letter, shell().window, kSystemKeyboard);
}

void hostDrawableSize(int& width, int& height) {
    RECT client{};
    GetClientRect(shell().window, &client);
    width = client.right - client.left;
    height = client.bottom - client.top;
}

bool hostQuitPosted(int& status) {
    status = shell().quitCode;
    return shell().quitPosted;
}

long hostProcessNumber() {
    return static_cast<long>(GetCurrentProcessId());
}

std::string hostHomeFolder() {
    // No "~" on Windows: the notes show the data folder's whole path, as Explorer would.
    return {};
}

// Sending goes through libcurl, which the Windows build does not have: the player who asked for
// a board hears that nothing goes to it, rather than finding it silently empty.
std::unique_ptr<ScoreSender> startScoreSender(const ScoreSenderSettings&) {
    std::fprintf(stderr, "glimmerwake: the Windows game sends no games to a score board yet: "
                         "they stay in its high scores\n");
    return nullptr;
}
