#include "synth.h"

#include "../../base/sound_effects.h"

#include <algorithm>
#include <cmath>

namespace synth {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = kSoundSampleRate;
// Long enough to hide the step at a sound's end, short enough not to soften a click on purpose.
constexpr double kFadeOutSeconds = 0.004;

double glideAt(Glide glide, double fraction) {
    if (glide.from == glide.to) {
        return glide.from;
    }
    return glide.from * std::pow(glide.to / glide.from, fraction);
}

double envelopeAt(Envelope envelope, double t) {
    if (t < envelope.attack) {
        return t / envelope.attack;
    }
    return std::exp(-(t - envelope.attack) / envelope.decay);
}

// One period of each wave, for a phase in [0, 1).
double waveAt(Wave wave, double phase, double duty) {
    switch (wave) {
    case Wave::Sine:
        return std::sin(2.0 * kPi * phase);
    case Wave::Square:
        return phase < duty ? 1.0 : -1.0;
    case Wave::Triangle:
        return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
    case Wave::Saw:
        return 2.0 * phase - 1.0;
    }
    return 0.0;
}

} // namespace

int samplesFor(double seconds) {
    return static_cast<int>(std::lround(seconds * kRate));
}

Samples tone(double seconds, Wave wave, Glide pitch, Envelope envelope, double duty) {
    const int count = samplesFor(seconds);
    Samples out(count);
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        const double t = i / kRate;
        out[i] = waveAt(wave, phase, duty) * envelopeAt(envelope, t);
        phase += glideAt(pitch, static_cast<double>(i) / count) / kRate;
        phase -= std::floor(phase);
    }
    return out;
}

Samples noise(double seconds, std::uint32_t seed, Envelope envelope) {
    const int count = samplesFor(seconds);
    Samples out(count);
    std::uint32_t state = seed == 0 ? 1u : seed;
    for (int i = 0; i < count; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const double white = static_cast<double>(state) / 2147483647.5 - 1.0;
        out[i] = white * envelopeAt(envelope, i / kRate);
    }
    return out;
}

Samples lowPass(const Samples& in, Glide cutoff, double resonance) {
    Samples out(in.size());
    double low = 0.0;
    double band = 0.0;
    const double damping = 1.0 / resonance;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const double hz = glideAt(cutoff, static_cast<double>(i) / in.size());
        // The state-variable filter is stable while f stays well below 1: keep the cutoff under
        // a sixth of the rate.
        const double f = 2.0 * std::sin(kPi * std::min(hz, kRate / 6.0) / kRate);
        low += f * band;
        const double high = in[i] - low - damping * band;
        band += f * high;
        out[i] = low;
    }
    return out;
}

Samples highPass(const Samples& in, double cutoff) {
    Samples out(in.size());
    const double rc = 1.0 / (2.0 * kPi * cutoff);
    const double alpha = rc / (rc + 1.0 / kRate);
    double previousIn = 0.0;
    double previousOut = 0.0;
    for (std::size_t i = 0; i < in.size(); ++i) {
        previousOut = alpha * (previousOut + in[i] - previousIn);
        previousIn = in[i];
        out[i] = previousOut;
    }
    return out;
}

Samples tremolo(const Samples& in, double rate, double depth) {
    Samples out(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        const double wobble = 0.5 + 0.5 * std::sin(2.0 * kPi * rate * i / kRate);
        out[i] = in[i] * (1.0 - depth * wobble);
    }
    return out;
}

void mixInto(Samples& into, const Samples& layer, double atSeconds, double gain) {
    const std::size_t start = static_cast<std::size_t>(samplesFor(atSeconds));
    if (into.size() < start + layer.size()) {
        into.resize(start + layer.size(), 0.0);
    }
    for (std::size_t i = 0; i < layer.size(); ++i) {
        into[start + i] += layer[i] * gain;
    }
}

Samples finish(Samples sound, double peak) {
    double loudest = 0.0;
    for (const double s : sound) {
        loudest = std::max(loudest, std::fabs(s));
    }
    if (loudest > 0.0) {
        for (double& s : sound) {
            s *= peak / loudest;
        }
    }
    const int fade = std::min<int>(samplesFor(kFadeOutSeconds), static_cast<int>(sound.size()));
    for (int i = 0; i < fade; ++i) {
        sound[sound.size() - 1 - i] *= static_cast<double>(i) / fade;
    }
    return sound;
}

} // namespace synth
