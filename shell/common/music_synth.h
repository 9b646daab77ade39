#pragma once

#include "base/sound_effects.h"
#include "shell/common/music_score.h"

#include <array>
#include <cstdint>

// The band that plays the score, live: a fixed set of voices, each an oscillator (alias-reduced
// saw and square, triangle, sine, or noise), an attack-decay-sustain-release envelope, a
// resonant low-pass that can open with the envelope, and a one-pole high-pass. The same plain
// float arithmetic runs on every platform; nothing allocates while it plays.
class VoicePool {
  public:
    // A pad chord is four voices and rings for a second past its bar: room for the busiest bar
    // of the score with the last bar's tails still sounding.
    static constexpr int kMaxVoices = 32;

    // Starts a note of `key` (MIDI number) that is held for `gateSamples` and then released.
    // Past the limit the quietest voice gives way. `seed` starts a noise voice's generator.
    void noteOn(Instrument instrument, int key, int gateSamples, std::uint32_t seed);
    // Adds `frames` samples of every sounding voice, times `gain`, into `out`.
    void render(float* out, int frames, float gain);
    void clear();
    bool silent() const;

  private:
    enum class Stage { Attack, Decay, Release };

    struct Voice {
        bool active = false;
        Instrument instrument = Instrument::Lead;
        // Oscillator: phase in cycles, steps in cycles a sample; a second, detuned one for the
        // pad; a pitch that starts `pitchScale` times higher and falls to the note (the kick).
        float phase = 0.0f;
        float phase2 = 0.0f;
        float step = 0.0f;
        float step2 = 0.0f;
        float pitchScale = 1.0f;
        float pitchFall = 0.0f;
        std::uint32_t noise = 1;
        // Envelope.
        Stage stage = Stage::Attack;
        float level = 0.0f;
        float attackStep = 0.0f;
        float decay = 0.0f;
        float release = 0.0f;
        int gateLeft = 0;
        // Filters: the low-pass coefficient at rest and at the envelope's peak.
        float lowPassRest = 0.0f;
        float lowPassPeak = 0.0f;
        float low = 0.0f;
        float band = 0.0f;
        float highPass = 0.0f;
        float highIn = 0.0f;
        float highOut = 0.0f;
    };

    static float oscillator(Voice& voice);
    static float filtered(Voice& voice, float sample);
    static void advanceEnvelope(Voice& voice);

    std::array<Voice, kMaxVoices> voices_{};
};
