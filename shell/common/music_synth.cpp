#include "shell/common/music_synth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kRate = static_cast<float>(kSoundSampleRate);
constexpr float kPi = 3.14159265f;
// A voice below this (-60 dB, about one 16-bit step at the music's level) is heard as nothing
// and frees its place.
constexpr float kInaudible = 1.0e-3f;
// The state-variable low-pass stays stable while its cutoff is well under the sample rate.
constexpr float kHighestCutoff = kRate / 6.0f;

enum class Wave { Saw, Square, Triangle, Sine, Noise };

// How each instrument of the band sounds. Times are in seconds; `sustain` is the held level
// after the decay (0: the note dies away however long it is written); cutoffs in Hz, 0 for none.
struct InstrumentSound {
    Wave wave;
    float duty;
    // The pad's second oscillator, this many cents above the first; 0 for one oscillator.
    float detuneCents;
    float attack;
    float decay;
    float sustain;
    float release;
    float lowPass;
    float lowPassOpen;
    float resonance;
    float highPass;
    // The kick's pitch starts this many times above its note and falls in `pitchFall` seconds.
    float pitchStart;
    float pitchFall;
    // A fixed pitch in Hz for the drums, which have no notes.
    float drumHz;
    float gain;
};

// Indexed by Instrument: Bass, Pad, Pluck, Lead, Kick, Snare, Hat.
constexpr InstrumentSound kInstruments[kInstrumentCount] = {
    // A round saw bass that opens a little at each note's start.
    {Wave::Saw, 0.5f, 0.0f, 0.005f, 0.25f, 0.5f, 0.08f, 300.0f, 900.0f, 1.4f, 0.0f, 1.0f, 0.0f,
     0.0f, 0.55f},
    // Two slightly detuned saws, slow to swell and to fade, darkened to sit behind the lead.
    {Wave::Saw, 0.5f, 7.0f, 0.35f, 1.0f, 0.8f, 0.4f, 900.0f, 0.0f, 0.8f, 0.0f, 1.0f, 0.0f, 0.0f,
     0.12f},
    // A soft plucked triangle for the arpeggios.
    {Wave::Triangle, 0.5f, 0.0f, 0.002f, 0.16f, 0.0f, 0.05f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f,
     0.0f, 0.2f},
    // A narrow square, softened and given a bite at each attack.
    {Wave::Square, 0.25f, 0.0f, 0.01f, 0.3f, 0.6f, 0.12f, 2000.0f, 1500.0f, 1.0f, 0.0f, 1.0f, 0.0f,
     0.0f, 0.24f},
    // A sine that drops from about 170 Hz to 48 in a few hundredths of a second.
    {Wave::Sine, 0.5f, 0.0f, 0.001f, 0.16f, 0.0f, 0.05f, 0.0f, 0.0f, 1.0f, 0.0f, 3.5f, 0.03f, 48.0f,
     0.85f},
    // A short burst of band-passed noise.
    {Wave::Noise, 0.5f, 0.0f, 0.001f, 0.08f, 0.0f, 0.05f, 5000.0f, 0.0f, 0.9f, 700.0f, 1.0f, 0.0f,
     0.0f, 0.4f},
    // A tick of high noise.
    {Wave::Noise, 0.5f, 0.0f, 0.001f, 0.025f, 0.0f, 0.02f, 0.0f, 0.0f, 1.0f, 6500.0f, 1.0f, 0.0f,
     0.0f, 0.22f},
};

const InstrumentSound& sound(Instrument instrument) {
    return kInstruments[static_cast<int>(instrument)];
}

// The per-sample factor that makes a level fall to 1/e in `seconds`.
float fallPerSample(float seconds) {
    return std::exp(-1.0f / (seconds * kRate));
}

float lowPassCoefficient(float hz) {
    return 2.0f * std::sin(kPi * std::min(hz, kHighestCutoff) / kRate);
}

float keyHz(int key) {
    return 440.0f * std::pow(2.0f, static_cast<float>(key - 69) / 12.0f);
}

// The polynomial step that takes the alias out of a saw's or a square's jump: `t` is the phase,
// `dt` the phase step of a sample.
float polyBlep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

float wrap(float phase) {
    return phase >= 1.0f ? phase - 1.0f : phase;
}

float waveAt(Wave wave, float phase, float step, float duty, std::uint32_t& noise) {
    switch (wave) {
    case Wave::Saw:
        return 2.0f * phase - 1.0f - polyBlep(phase, step);
    case Wave::Square:
        return (phase < duty ? 1.0f : -1.0f) + polyBlep(phase, step) -
               polyBlep(wrap(phase + 1.0f - duty), step);
    case Wave::Triangle:
        return phase < 0.5f ? 4.0f * phase - 1.0f : 3.0f - 4.0f * phase;
    case Wave::Sine: {
        // A parabola per half period: close enough to a sine for a drum, and the same everywhere.
        const float t = 2.0f * phase - 1.0f;
        return -4.0f * t * (1.0f - std::fabs(t));
    }
    case Wave::Noise:
        noise ^= noise << 13;
        noise ^= noise >> 17;
        noise ^= noise << 5;
        return static_cast<float>(noise) / 2147483648.0f - 1.0f;
    }
    return 0.0f;
}

} // namespace

void VoicePool::noteOn(Instrument instrument, int key, int gateSamples, std::uint32_t seed) {
    auto slot =
        std::find_if(voices_.begin(), voices_.end(), [](const Voice& v) { return !v.active; });
    if (slot == voices_.end()) {
        slot = std::min_element(voices_.begin(), voices_.end(),
                                [](const Voice& a, const Voice& b) { return a.level < b.level; });
    }
    const InstrumentSound& s = sound(instrument);
    const float hz = s.drumHz > 0.0f ? s.drumHz : keyHz(key);
    Voice v;
    v.active = true;
    v.instrument = instrument;
    v.step = hz / kRate;
    v.step2 = s.detuneCents > 0.0f ? v.step * std::pow(2.0f, s.detuneCents / 1200.0f) : 0.0f;
    v.pitchScale = s.pitchStart;
    v.pitchFall = s.pitchFall > 0.0f ? fallPerSample(s.pitchFall) : 0.0f;
    v.noise = seed == 0 ? 1u : seed;
    v.attackStep = 1.0f / std::max(1.0f, s.attack * kRate);
    v.decay = fallPerSample(s.decay);
    v.release = fallPerSample(s.release);
    v.gateLeft = gateSamples;
    if (s.lowPass > 0.0f) {
        v.lowPassRest = lowPassCoefficient(s.lowPass);
        v.lowPassPeak = lowPassCoefficient(s.lowPass + s.lowPassOpen);
    }
    if (s.highPass > 0.0f) {
        const float rc = 1.0f / (2.0f * kPi * s.highPass);
        v.highPass = rc / (rc + 1.0f / kRate);
    }
    *slot = v;
}

float VoicePool::oscillator(Voice& v) {
    const InstrumentSound& s = sound(v.instrument);
    const float step = v.step * v.pitchScale;
    float sample = waveAt(s.wave, v.phase, step, s.duty, v.noise);
    v.phase = wrap(v.phase + step);
    if (v.step2 > 0.0f) {
        sample = 0.5f * (sample + waveAt(s.wave, v.phase2, v.step2, s.duty, v.noise));
        v.phase2 = wrap(v.phase2 + v.step2);
    }
    v.pitchScale = 1.0f + (v.pitchScale - 1.0f) * v.pitchFall;
    return sample;
}

float VoicePool::filtered(Voice& v, float sample) {
    if (v.lowPassRest > 0.0f) {
        const float f = v.lowPassRest + (v.lowPassPeak - v.lowPassRest) * v.level;
        v.low += f * v.band;
        const float high = sample - v.low - v.band / sound(v.instrument).resonance;
        v.band += f * high;
        sample = v.low;
    }
    if (v.highPass > 0.0f) {
        v.highOut = v.highPass * (v.highOut + sample - v.highIn);
        v.highIn = sample;
        sample = v.highOut;
    }
    return sample;
}

void VoicePool::advanceEnvelope(Voice& v) {
    const float sustain = sound(v.instrument).sustain;
    switch (v.stage) {
    case Stage::Attack:
        v.level += v.attackStep;
        if (v.level >= 1.0f) {
            v.level = 1.0f;
            v.stage = Stage::Decay;
        }
        break;
    case Stage::Decay:
        v.level = sustain + (v.level - sustain) * v.decay;
        break;
    case Stage::Release:
        v.level *= v.release;
        break;
    }
    if (v.stage != Stage::Release && --v.gateLeft <= 0) {
        v.stage = Stage::Release;
    }
    if (v.stage != Stage::Attack && v.level < kInaudible) {
        v.active = false;
    }
}

void VoicePool::render(float* out, int frames, float gain) {
    for (Voice& v : voices_) {
        if (!v.active) {
            continue;
        }
        const float voiceGain = gain * sound(v.instrument).gain;
        for (int i = 0; i < frames && v.active; ++i) {
            advanceEnvelope(v);
            out[i] += filtered(v, oscillator(v)) * v.level * voiceGain;
        }
    }
}

void VoicePool::clear() {
    for (Voice& v : voices_) {
        v.active = false;
    }
}

bool VoicePool::silent() const {
    return std::none_of(voices_.begin(), voices_.end(), [](const Voice& v) { return v.active; });
}
