// Glimmerwake on Windows: read the command line, open the window, then a loop that never blocks,
// handles at most one message per pass and calls the frame function once per pass, and close
// everything again.
#include "game/game.h"
#include "platform/platform.h"
#include "shell/common/command_line.h"
#include "shell/common/frame_step.h"
#include "shell/common/music_cues.h"
#include "shell/common/score_listing.h"
#include "shell/common/session.h"
#include "shell/common/settings.h"
#include "shell/common/sound.h"
#include "shell/common/user_data.h"
#include "shell/win32/console.h"
#include "shell/win32/game_window.h"
#include "shell/win32/xinput_pads.h"

#include <cstdlib>

namespace {

// The exit statuses of the Linux game.
constexpr int kExitFatalError = 1;
constexpr int kExitUsage = 2;

// Answers --help, --version, --scores and a wrong command line without opening anything. Returns
// the exit status, or -1 when the game is to be played.
int answerWithoutWindow(const CommandLine& line) {
    switch (line.action) {
    case CommandLine::Action::Help:
        tellPlayer(commandLineHelp(), false);
        return 0;
    case CommandLine::Action::Version:
        tellPlayer(commandLineVersion(), false);
        return 0;
    case CommandLine::Action::Scores: {
        ScoreStore store(userDataDirectory());
        tellPlayer(scoresListing(store), false);
        return 0;
    }
    case CommandLine::Action::UsageError:
        tellPlayer(line.error + "\n", true);
        return kExitUsage;
    case CommandLine::Action::Play:
        break;
    }
    return -1;
}

// Removes at most one pending message and dispatches it. False once the program was asked to
// end: no call of the frame function follows the one that asked, as on Linux, so that a watched
// or recorded game ends on the call its final state names.
bool runMessagePass() {
    ShellContext& context = shell();
    if (context.quitPosted) {
        return false;
    }
    // Each frame's Escape is settled before the pass's message, as in the Linux game's loop: the
    // frame after the focus left is the one that pauses.
    context.focusPause.beginFrame(frameStepGame());
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        return true;
    }
    if (message.message == WM_QUIT) {
        // Posted by something else than the game's own request (which set quitPosted first).
        postQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    shell().instance = instance;
    const bool streamsReachSomebody = connectStandardStreams();
    const CommandLine line = parseCommandLine(__argc, __argv);
    const int answered = answerWithoutWindow(line);
    if (answered >= 0) {
        return answered;
    }
    shell().fullScreenWanted = !line.window;
    const Settings settings = loadSettings(userDataDirectory());
    if (!startSession(line, settings)) {
        // The reason went to standard error; started from Explorer nobody would see it.
        if (!streamsReachSomebody) {
            tellPlayer("Glimmerwake cannot watch " + line.watchFile +
                           ". Start it from a command prompt to see why.\n",
                       true);
        }
        return kExitUsage;
    }
    // The result is not needed: a failure has shown its box and asked to quit, which ends the
    // loop before its first frame.
    openGameWindow(1024, 768, 16);
    startPads();
    // The sounds lie beside the images, wherever those were found. --mute and --no-music override
    // the remembered settings for this run only.
    startSound(dataRoot() + "Data/Sounds", line.mute || settings.mute,
               !line.noMusic && settings.music);
    sessionNoteMuted(soundMuted());
    sessionNoteMusic(musicPlaying());
    while (runMessagePass()) {
        pollPads(frameStepGame().gameState == GameState::Playing);
        pollMuteKey();
        pollMusicKey();
        sessionNoteMuted(soundMuted());
        sessionNoteMusic(musicPlaying());
        CallInputs inputs = readLiveInputs();
        const FramePace pace = sessionBeforeCall(inputs);
        runFrame(inputs, pace);
        sessionAfterCall();
        cueMusic(musicThemeFor(frameStepGame()));
    }
    finishSession();
    stopSound();
    stopPads();
    closeGameWindow();
    // A start-up that failed must not look like a game that ended well.
    return shell().fatalErrorShown ? kExitFatalError : shell().quitCode;
}
