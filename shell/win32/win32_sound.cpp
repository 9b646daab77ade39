// The game's sound on Windows: a thread keeps a few short buffers queued on waveOut, each mixed
// by the game's own mixer as the device hands it back.
#include "platform/platform.h"
#include "shell/common/sound.h"
#include "shell/common/sound_mixer.h"
#include "shell/win32/game_window.h"
#include "shell/win32/key_state.h"

// windows.h first: mmsystem.h needs its types.
#include <windows.h>
// clang-format off
#include <mmsystem.h>
// clang-format on

#include <array>
#include <atomic>
#include <thread>

namespace {

// Four buffers of about 23 ms each: enough to ride out a late wake-up of the thread, short
// enough that a shot is heard with its frame.
constexpr int kBufferCount = 4;
constexpr int kBufferFrames = 512;
constexpr DWORD kWakeUpMs = 50;

struct SoundState {
    SoundMixer mixer;
    HWAVEOUT device = nullptr;
    HANDLE bufferDone = nullptr;
    std::array<std::array<std::int16_t, kBufferFrames>, kBufferCount> samples{};
    std::array<WAVEHDR, kBufferCount> headers{};
    std::thread feeder;
    std::atomic<bool> stopping{false};
    bool muteKeyHeld = false;
    bool musicKeyHeld = false;
};

SoundState& sound() {
    static SoundState state;
    return state;
}

void queue(SoundState& state, WAVEHDR& header, std::int16_t* samples) {
    state.mixer.mix(samples, kBufferFrames);
    waveOutWrite(state.device, &header, sizeof(header));
}

void feed(SoundState& state) {
    for (int i = 0; i < kBufferCount; ++i) {
        queue(state, state.headers[i], state.samples[i].data());
    }
    while (!state.stopping) {
        WaitForSingleObject(state.bufferDone, kWakeUpMs);
        for (int i = 0; i < kBufferCount && !state.stopping; ++i) {
            if ((state.headers[i].dwFlags & WHDR_DONE) != 0) {
                state.headers[i].dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
                queue(state, state.headers[i], state.samples[i].data());
            }
        }
    }
}

bool openDevice(SoundState& state) {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = kSoundSampleRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = kSoundSampleRate * 2;
    state.bufferDone = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (state.bufferDone == nullptr) {
        return false;
    }
    if (waveOutOpen(&state.device, WAVE_MAPPER, &format,
                    reinterpret_cast<DWORD_PTR>(state.bufferDone), 0,
                    CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        state.device = nullptr;
        return false;
    }
    for (int i = 0; i < kBufferCount; ++i) {
        WAVEHDR& header = state.headers[i];
        header.lpData = reinterpret_cast<LPSTR>(state.samples[i].data());
        header.dwBufferLength = kBufferFrames * sizeof(std::int16_t);
        waveOutPrepareHeader(state.device, &header, sizeof(header));
    }
    return true;
}

} // namespace

void startSound(const std::string& directory, bool muted, bool musicOn) {
    SoundState& state = sound();
    state.mixer.setMuted(muted);
    state.mixer.setMusicOn(musicOn);
    state.mixer.loadAll(directory);
    if (openDevice(state)) {
        state.feeder = std::thread(feed, std::ref(state));
    }
}

void stopSound() {
    SoundState& state = sound();
    if (state.feeder.joinable()) {
        state.stopping = true;
        SetEvent(state.bufferDone);
        state.feeder.join();
    }
    if (state.device != nullptr) {
        waveOutReset(state.device);
        for (WAVEHDR& header : state.headers) {
            waveOutUnprepareHeader(state.device, &header, sizeof(header));
        }
        waveOutClose(state.device);
        state.device = nullptr;
    }
    if (state.bufferDone != nullptr) {
        CloseHandle(state.bufferDone);
        state.bufferDone = nullptr;
    }
}

void pollMuteKey() {
    SoundState& state = sound();
    // Only the game's own M: typed into another program it is not the player's toggle.
    const bool held = focusedKeyDown('M', shell().window, kSystemKeyboard);
    if (held && !state.muteKeyHeld) {
        state.mixer.setMuted(!state.mixer.muted());
    }
    state.muteKeyHeld = held;
}

void pollMusicKey() {
    SoundState& state = sound();
    const bool held = focusedKeyDown('N', shell().window, kSystemKeyboard);
    if (held && !state.musicKeyHeld) {
        state.mixer.setMusicOn(!state.mixer.musicOn());
    }
    state.musicKeyHeld = held;
}

bool soundMuted() {
    return sound().mixer.muted();
}

bool musicPlaying() {
    return sound().mixer.musicOn();
}

void cueMusic(MusicTheme theme) {
    sound().mixer.cueMusic(theme);
}

void playSound(SoundEffect effect) {
    sound().mixer.play(effect);
}
