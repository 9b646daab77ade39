#pragma once

#include "base/sound_effects.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// The samples of a WAV file of the game's own kind (PCM, 16-bit, mono, at the game's rate), or
// nothing for anything else: a broken, truncated or foreign file is heard as silence.
std::optional<std::vector<std::int16_t>> decodeWav(const unsigned char* bytes, std::size_t size);

// Plays the game's effects over each other. The game's thread starts effects; the audio thread
// of the platform pulls mixed samples. Both hold the lock only for a few microseconds, so
// starting a sound never holds a frame up.
class SoundMixer {
  public:
    // More at once than the busiest frame asks for; past it the oldest voice gives way.
    static constexpr int kMaxVoices = 24;
    // Files larger than this are not ours: the longest effect is under two seconds.
    static constexpr std::size_t kMaxFileBytes = 4u << 20;

    SoundMixer() { voices_.reserve(kMaxVoices); }

    // Loads every effect from DIRECTORY/NAME.wav; returns how many loaded. A missing one stays
    // silent.
    int loadAll(const std::string& directory);
    void setSamples(SoundEffect effect, std::vector<std::int16_t> samples);

    void play(SoundEffect effect);
    // Muting also silences what is playing.
    void setMuted(bool muted);
    bool muted() const;

    // Fills `out` with the sum of every playing voice, clipped to 16 bits, and moves them on.
    void mix(std::int16_t* out, int frames);

  private:
    struct Voice {
        int effect = 0;
        std::size_t position = 0;
    };

    void addVoices(std::int32_t* sum, int frames);

    mutable std::mutex mutex_;
    std::array<std::vector<std::int16_t>, kSoundEffectCount> samples_;
    // Reserved to its most in the constructor, so starting a sound allocates nothing.
    std::vector<Voice> voices_;
    bool muted_ = false;
};
