#include "shell/win32/console.h"

#include <cstdio>
#include <windows.h>

namespace {

// Whether words written to standard output, and to standard error, reach somebody.
struct Streams {
    bool output = false;
    bool error = false;
};

Streams& streams() {
    static Streams connected;
    return connected;
}

// A handle the program was given (a console, a file, a pipe), not the null a desktop program
// starts with.
bool leadsSomewhere(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

} // namespace

bool connectStandardStreams() {
    Streams& connected = streams();
    connected.output = leadsSomewhere(STD_OUTPUT_HANDLE);
    connected.error = leadsSomewhere(STD_ERROR_HANDLE);
    if ((connected.output && connected.error) || !AttachConsole(ATTACH_PARENT_PROCESS)) {
        return connected.output || connected.error;
    }
    // Only the streams the prompt did not send elsewhere are taken to its console.
    if (!connected.output) {
        connected.output = std::freopen("CONOUT$", "w", stdout) != nullptr;
    }
    if (!connected.error) {
        connected.error = std::freopen("CONOUT$", "w", stderr) != nullptr;
    }
    return true;
}

void tellPlayer(const std::string& text, bool failure) {
    if (failure ? streams().error : streams().output) {
        std::FILE* const stream = failure ? stderr : stdout;
        std::fputs(text.c_str(), stream);
        std::fflush(stream);
        return;
    }
    MessageBoxA(nullptr, text.c_str(), "Glimmerwake",
                MB_OK | (failure ? MB_ICONERROR : MB_ICONINFORMATION));
}
