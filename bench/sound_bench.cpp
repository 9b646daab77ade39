// What sound costs the game: starting an effect from the game's thread while the audio thread
// mixes, and the audio thread's mixing of one buffer.
#include "shell/common/sound_mixer.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <thread>
#include <vector>

namespace {

constexpr int kBufferFrames = 512;

SoundMixer& loadedMixer() {
    static SoundMixer mixer;
    static const bool loaded = [] {
        for (int i = 0; i < kSoundEffectCount; ++i) {
            // Two seconds each, longer than any real effect, so voices pile up.
            mixer.setSamples(static_cast<SoundEffect>(i), std::vector<std::int16_t>(44100, 100));
        }
        return true;
    }();
    (void)loaded;
    return mixer;
}

// The game's side: one call of playSound, with an audio thread mixing a buffer every
// millisecond, twenty times as often as a real device asks, to make the lock contended.
void BM_PlaySoundWhileMixing(benchmark::State& state) {
    SoundMixer& mixer = loadedMixer();
    std::atomic<bool> stop{false};
    std::thread audio([&] {
        std::vector<std::int16_t> buffer(kBufferFrames);
        while (!stop) {
            mixer.mix(buffer.data(), kBufferFrames);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    int effect = 0;
    for (auto _ : state) {
        mixer.play(static_cast<SoundEffect>(effect));
        effect = (effect + 1) % kSoundEffectCount;
    }
    stop = true;
    audio.join();
}
BENCHMARK(BM_PlaySoundWhileMixing);

// The audio thread's side: one 512-frame buffer with the given number of voices playing.
void BM_MixBuffer(benchmark::State& state) {
    SoundMixer& mixer = loadedMixer();
    std::vector<std::int16_t> buffer(kBufferFrames);
    for (auto _ : state) {
        state.PauseTiming();
        mixer.setMuted(true);
        mixer.setMuted(false);
        for (int i = 0; i < state.range(0); ++i) {
            mixer.play(static_cast<SoundEffect>(i % kSoundEffectCount));
        }
        state.ResumeTiming();
        mixer.mix(buffer.data(), kBufferFrames);
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(BM_MixBuffer)->Arg(1)->Arg(8)->Arg(SoundMixer::kMaxVoices);

// The same buffer with the music playing under the effects: the theme is synthesised live, so
// its notes cost the audio thread what the busiest theme (the finale: a pad chord, bass,
// arpeggio, lead and drums at once) asks. Buffers are mixed one after another, so every bar of
// the theme is timed in turn.
void BM_MixBufferWithMusic(benchmark::State& state) {
    SoundMixer mixer;
    for (int i = 0; i < kSoundEffectCount; ++i) {
        mixer.setSamples(static_cast<SoundEffect>(i), std::vector<std::int16_t>(44100, 100));
    }
    mixer.cueMusic(static_cast<MusicTheme>(state.range(1)));
    std::vector<std::int16_t> buffer(kBufferFrames);
    for (auto _ : state) {
        state.PauseTiming();
        mixer.setMuted(true);
        mixer.setMuted(false);
        for (int i = 0; i < state.range(0); ++i) {
            mixer.play(static_cast<SoundEffect>(i % kSoundEffectCount));
        }
        state.ResumeTiming();
        mixer.mix(buffer.data(), kBufferFrames);
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(BM_MixBufferWithMusic)
    ->Args({8, static_cast<int>(MusicTheme::Menu)})
    ->Args({8, static_cast<int>(MusicTheme::Level)})
    ->Args({8, static_cast<int>(MusicTheme::Boss)})
    ->Args({8, static_cast<int>(MusicTheme::Finale)});

} // namespace
