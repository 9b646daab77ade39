#pragma once

#include "base/sound_effects.h"
#include "shell/common/music_sequencer.h"

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

// Plays the game's effects over each other and the music under them. The game's thread starts
// effects and cues the music; the audio thread of the platform pulls mixed samples. Both hold the
// lock only for a few microseconds (the music needs none), so starting a sound never holds a
// frame up.
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
    // Muting silences everything, the music too, and what is playing.
    void setMuted(bool muted);
    bool muted() const;

    // The theme to play from the next bar line on (music_cues.h picks it).
    void cueMusic(MusicTheme theme) { music_.request(theme); }
    // The music's own switch, apart from the mute.
    void setMusicOn(bool on) { music_.setOn(on); }
    bool musicOn() const { return music_.on(); }

    // Fills `out` with the sum of every playing voice and the music, kept off the 16-bit rails
    // by a soft knee, and moves them on.
    void mix(std::int16_t* out, int frames);

  private:
    struct Voice {
        int effect = 0;
        std::size_t position = 0;
    };

    void addVoices(std::int32_t* sum, int frames);
    void addMusic(std::int32_t* sum, int frames);

    mutable std::mutex mutex_;
    std::array<std::vector<std::int16_t>, kSoundEffectCount> samples_;
    // Reserved to its most in the constructor, so starting a sound allocates nothing.
    std::vector<Voice> voices_;
    bool muted_ = false;
    // Touched by the audio thread only, but for its atomic requests.
    MusicPlayer music_;
};

// A summed sample brought into 16 bits: untouched up to three quarters of full scale, above it
// bent smoothly towards a ceiling it never reaches, so no pile of effects is ever clipped flat.
std::int16_t softLimited(std::int32_t sum);
