// The desktop's sound: SDL's audio thread pulls from the game's own small mixer.
#include "platform/platform.h"
#include "shell/common/sound.h"
#include "shell/common/sound_mixer.h"

#include <SDL.h>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// About 23 ms a buffer at the game's rate: short enough that a shot is heard with its frame.
constexpr Uint16 kBufferFrames = 512;

struct SoundState {
    SoundMixer mixer;
    SDL_AudioDeviceID device = 0;
    bool muteKeyHeld = false;
    bool musicKeyHeld = false;
};

SoundState& sound() {
    static SoundState state;
    return state;
}

// ALSA's library writes its complaints about a machine without a sound card straight to standard
// error, eight lines of them, when SDL asks it for a device. No sound card is no error for the
// game (it plays in silence), so while SDL looks for a device standard error goes to /dev/null;
// it comes back however the search ended.
class StandardErrorSilenced {
  public:
    StandardErrorSilenced() {
        std::fflush(stderr);
        saved_ = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0) {
            dup2(null, STDERR_FILENO);
        }
        if (null >= 0) {
            close(null);
        }
    }
    ~StandardErrorSilenced() {
        std::fflush(stderr);
        if (saved_ >= 0) {
            dup2(saved_, STDERR_FILENO);
            close(saved_);
        }
    }
    StandardErrorSilenced(const StandardErrorSilenced&) = delete;
    StandardErrorSilenced& operator=(const StandardErrorSilenced&) = delete;

  private:
    int saved_ = -1;
};

void fillBuffer(void* userdata, Uint8* stream, int bytes) {
    static_cast<SoundMixer*>(userdata)->mix(reinterpret_cast<std::int16_t*>(stream),
                                            bytes / static_cast<int>(sizeof(std::int16_t)));
}

} // namespace

void startSound(const std::string& directory, bool muted, bool musicOn) {
    SoundState& state = sound();
    state.mixer.setMuted(muted);
    state.mixer.setMusicOn(musicOn);
    {
        const StandardErrorSilenced quiet;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            return;
        }
    }
    // Read only when there is audio to play them on.
    state.mixer.loadAll(directory);
    SDL_AudioSpec wanted{};
    wanted.freq = kSoundSampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = kBufferFrames;
    wanted.callback = fillBuffer;
    wanted.userdata = &state.mixer;
    // No changes allowed: SDL converts to whatever the device takes.
    {
        const StandardErrorSilenced quiet;
        state.device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    }
    if (state.device != 0) {
        SDL_PauseAudioDevice(state.device, 0);
    }
}

void stopSound() {
    SoundState& state = sound();
    if (state.device != 0) {
        SDL_CloseAudioDevice(state.device);
        state.device = 0;
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void pollMuteKey() {
    SoundState& state = sound();
    // Key events are not queued (the game polls its keys), but SDL keeps the keyboard's state.
    const bool held = SDL_GetKeyboardState(nullptr)[SDL_SCANCODE_M] != 0;
    if (held && !state.muteKeyHeld) {
        state.mixer.setMuted(!state.mixer.muted());
    }
    state.muteKeyHeld = held;
}

void pollMusicKey() {
    SoundState& state = sound();
    const bool held = SDL_GetKeyboardState(nullptr)[SDL_SCANCODE_N] != 0;
    if (held && !state.musicKeyHeld) {
        state.mixer.setMusicOn(!state.mixer.musicOn());
    }
    state.musicKeyHeld = held;
}

void cueMusic(MusicTheme theme) {
    sound().mixer.cueMusic(theme);
}

void playSound(SoundEffect effect) {
    sound().mixer.play(effect);
}
