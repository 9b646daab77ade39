// The game's keys, clocks, sound and quit request in the browser.
#include "platform/platform.h"
#include "platform/virtual_keys.h"
#include "shell/web/web_shell.h"

#include <ctime>
#include <emscripten.h>

WebShell& webShell() {
    static WebShell shell;
    return shell;
}

bool liveKeyDown(int virtualKey) {
    if (virtualKey < 0 || virtualKey >= WebShell::kKeyCount) {
        return false;
    }
    const WebShell& shell = webShell();
    if (virtualKey == KeyEscape && shell.focusPause.escapeDown()) {
        return true;
    }
    return shell.keyboard[virtualKey] || shell.pad[virtualKey] || shell.touch[virtualKey];
}

bool keyDown(int virtualKey) {
    return liveKeyDown(virtualKey);
}

std::uint32_t tickCount() {
    return static_cast<std::uint32_t>(emscripten_get_now());
}

void waitSince(std::uint32_t, std::uint32_t) {
    // The browser's animation frames pace the calls (shell/web/web_main.cpp): a wait here would
    // only freeze the page.
}

std::int64_t calendarSeconds() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

void swapBuffers() {
    // The browser shows the canvas when the animation frame's callback returns.
}

void postQuitMessage(int) {
    webShell().quitPosted = true;
}

void playSound(SoundEffect effect) {
    webShell().mixer.play(effect);
}

const std::string& dataRoot() {
    // The images and sounds are packed at the root of the page's file system.
    static const std::string root;
    return root;
}
