#pragma once

#include <cstdint>
#include <vector>

// A small synthesiser for the game's effects: oscillators, noise, envelopes and filters that
// render into a buffer of samples in [-1, 1] at the game's sample rate. Everything is plain
// double arithmetic with no randomness but a seeded generator, so the same recipe always gives
// the same samples.
namespace synth {

using Samples = std::vector<double>;

enum class Wave { Sine, Square, Triangle, Saw };

// A frequency that glides from `from` to `to` Hz over the sound, exponentially (as the ear hears
// a steady glide), or stays put when both are equal.
struct Glide {
    double from;
    double to;
};

// Attack to full level, then an exponential fall; `decay` is the time in seconds the level takes
// to fall to 1/e after the attack.
struct Envelope {
    double attack;
    double decay;
};

int samplesFor(double seconds);

// A periodic wave gliding in pitch, shaped by the envelope. `duty` is the square's high share.
Samples tone(double seconds, Wave wave, Glide pitch, Envelope envelope, double duty = 0.5);

// White noise from a seeded xorshift generator, shaped by the envelope.
Samples noise(double seconds, std::uint32_t seed, Envelope envelope);

// A resonant low-pass (state-variable) whose cutoff glides as given; `resonance` from 0.5 (soft)
// up to about 5 (ringing).
Samples lowPass(const Samples& in, Glide cutoff, double resonance);
Samples highPass(const Samples& in, double cutoff);

// Multiplies by a sine tremolo of `rate` Hz and the given depth (0 none, 1 full).
Samples tremolo(const Samples& in, double rate, double depth);

// `layer` added into `into` from `atSeconds` on, scaled by `gain`; `into` grows as needed.
void mixInto(Samples& into, const Samples& layer, double atSeconds, double gain);

// Scales the whole sound so its loudest sample reaches `peak`, and fades the last few
// milliseconds out so no sound ends on a click.
Samples finish(Samples sound, double peak);

} // namespace synth
