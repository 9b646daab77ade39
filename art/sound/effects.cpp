// The recipes of the game's effects. Each is a few layers from the synthesiser, placed in time
// and mixed; the comment above each says what the player should hear in it.
#include "effects.h"

#include "synth.h"

namespace {

using namespace synth;

// The launcher's missile: a bright square chirp falling an octave and a half, over a short hiss
// of the exhaust.
Samples missileShot() {
    Samples s;
    mixInto(s, tone(0.16, Wave::Square, {900.0, 260.0}, {0.002, 0.045}, 0.3), 0.0, 0.5);
    mixInto(s, lowPass(noise(0.12, 11, {0.001, 0.03}), {6000.0, 1500.0}, 0.7), 0.0, 0.6);
    return finish(s, 0.55);
}

// The meteor destroyer: a heavy saw thump with a dark burst of noise, lower and rounder than
// the missile.
Samples destroyerShot() {
    Samples s;
    mixInto(s, lowPass(tone(0.22, Wave::Saw, {320.0, 70.0}, {0.002, 0.06}), {2500.0, 400.0}, 1.2),
            0.0, 0.8);
    mixInto(s, lowPass(noise(0.15, 23, {0.001, 0.04}), {3000.0, 300.0}, 0.8), 0.0, 0.7);
    return finish(s, 0.6);
}

// The laser: a ringing sine sweep with its octave, slowly fading, with a quick shimmer.
Samples laserShot() {
    Samples s;
    mixInto(s, tone(0.4, Wave::Sine, {1500.0, 700.0}, {0.004, 0.14}), 0.0, 0.7);
    mixInto(s, tone(0.4, Wave::Sine, {3000.0, 1400.0}, {0.004, 0.08}), 0.0, 0.25);
    return finish(tremolo(s, 28.0, 0.35), 0.5);
}

// What the squares fire back: a hollow triangle drop, clearly not the player's own shot.
Samples enemyShot() {
    Samples s;
    mixInto(s, tone(0.2, Wave::Triangle, {640.0, 240.0}, {0.003, 0.07}), 0.0, 0.8);
    mixInto(s, tone(0.2, Wave::Square, {320.0, 120.0}, {0.003, 0.05}, 0.25), 0.0, 0.2);
    return finish(s, 0.45);
}

// A hit that does not destroy: a tight metallic clank.
Samples enemyHit() {
    Samples s;
    mixInto(s, highPass(noise(0.06, 37, {0.0005, 0.012}), 2500.0), 0.0, 0.8);
    mixInto(s, tone(0.09, Wave::Square, {1300.0, 900.0}, {0.001, 0.025}, 0.4), 0.0, 0.35);
    return finish(s, 0.5);
}

Samples explosion(double seconds, std::uint32_t seed, Glide darkening, Glide thump) {
    Samples s;
    mixInto(s, lowPass(noise(seconds, seed, {0.003, seconds / 4.0}), darkening, 0.9), 0.0, 1.0);
    mixInto(s, tone(seconds * 0.6, Wave::Sine, thump, {0.004, seconds / 5.0}), 0.0, 0.8);
    return s;
}

// An enemy blown apart: noise that darkens as it fades, over a short low thump.
Samples enemyExplosion() {
    return finish(explosion(0.55, 41, {3200.0, 250.0}, {110.0, 45.0}), 0.7);
}

// The ship's wreck: a longer, deeper blast with a second burst inside it.
Samples shipExplosion() {
    Samples s = explosion(1.3, 53, {1800.0, 120.0}, {70.0, 28.0});
    mixInto(s, lowPass(noise(0.5, 59, {0.002, 0.12}), {2500.0, 200.0}, 1.0), 0.18, 0.6);
    return finish(s, 0.85);
}

// The ship takes a hit: a buzzing square that drops, with a crunch of noise.
Samples shipHit() {
    Samples s;
    mixInto(s, tremolo(tone(0.35, Wave::Square, {240.0, 110.0}, {0.002, 0.11}, 0.5), 30.0, 0.6),
            0.0, 0.6);
    mixInto(s, lowPass(noise(0.14, 61, {0.001, 0.035}), {4000.0, 800.0}, 1.0), 0.0, 0.8);
    return finish(s, 0.7);
}

// A note of the arpeggios, at `hz`, as a soft triangle with its octave above.
Samples note(double seconds, double hz, double decay) {
    Samples s;
    mixInto(s, tone(seconds, Wave::Triangle, {hz, hz}, {0.004, decay}), 0.0, 0.8);
    mixInto(s, tone(seconds, Wave::Sine, {2.0 * hz, 2.0 * hz}, {0.004, decay / 2.0}), 0.0, 0.25);
    return s;
}

// A pickup caught: a quick major arpeggio up (C E G C).
Samples pickup() {
    Samples s;
    const double notes[] = {523.25, 659.25, 783.99, 1046.5};
    for (int i = 0; i < 4; ++i) {
        mixInto(s, note(0.12, notes[i], 0.05), 0.06 * i, 0.8);
    }
    return finish(s, 0.5);
}

// A weapon changes: two mechanical clicks around a rising whine of the new gun powering up.
Samples weaponSwitch() {
    Samples s;
    const Samples click = lowPass(noise(0.02, 71, {0.0005, 0.005}), {5000.0, 5000.0}, 3.0);
    mixInto(s, click, 0.0, 1.0);
    mixInto(s, tone(0.25, Wave::Square, {250.0, 700.0}, {0.02, 0.12}, 0.2), 0.02, 0.3);
    mixInto(s, click, 0.24, 0.9);
    return finish(s, 0.45);
}

// The boss falls: a great blast, and under it a long falling tone.
Samples bossDestroyed() {
    Samples s = explosion(1.6, 83, {2500.0, 90.0}, {90.0, 25.0});
    mixInto(s, tone(1.4, Wave::Saw, {480.0, 50.0}, {0.01, 0.5}), 0.05, 0.25);
    mixInto(s, lowPass(noise(0.7, 89, {0.002, 0.2}), {3000.0, 300.0}, 1.0), 0.35, 0.7);
    return finish(s, 0.9);
}

// The swarm splits: one tone that divides into two, drifting apart in pitch.
Samples swarmSplit() {
    Samples s;
    mixInto(s, tone(0.06, Wave::Sine, {520.0, 520.0}, {0.002, 0.05}), 0.0, 0.8);
    mixInto(s, tone(0.24, Wave::Triangle, {520.0, 900.0}, {0.002, 0.08}), 0.04, 0.6);
    mixInto(s, tone(0.24, Wave::Triangle, {520.0, 300.0}, {0.002, 0.08}), 0.04, 0.6);
    return finish(s, 0.5);
}

// The menu's marker moves: a short blip.
Samples menuMove() {
    return finish(tone(0.06, Wave::Square, {660.0, 660.0}, {0.001, 0.02}, 0.5), 0.3);
}

// A choice confirmed: two blips, a fifth apart, going up.
Samples menuConfirm() {
    Samples s;
    mixInto(s, tone(0.07, Wave::Square, {660.0, 660.0}, {0.001, 0.03}, 0.5), 0.0, 0.8);
    mixInto(s, tone(0.12, Wave::Square, {990.0, 990.0}, {0.001, 0.05}, 0.5), 0.07, 0.8);
    return finish(s, 0.35);
}

// Pause: two soft notes going down; resume: the same going up.
Samples twoNotes(double first, double second) {
    Samples s;
    mixInto(s, note(0.12, first, 0.05), 0.0, 0.8);
    mixInto(s, note(0.16, second, 0.07), 0.09, 0.8);
    return finish(s, 0.4);
}

Samples pause() {
    return twoNotes(880.0, 587.33);
}
Samples resume() {
    return twoNotes(587.33, 880.0);
}

// Game over: a slow falling minor arpeggio (G Eb C G), the last note held.
Samples gameOver() {
    Samples s;
    const double notes[] = {392.0, 311.13, 261.63, 196.0};
    for (int i = 0; i < 4; ++i) {
        const bool last = i == 3;
        mixInto(s, note(last ? 1.0 : 0.3, notes[i], last ? 0.35 : 0.12), 0.22 * i, 0.8);
    }
    return finish(s, 0.55);
}

} // namespace

std::vector<double> renderEffect(SoundEffect effect) {
    switch (effect) {
    case SoundEffect::MissileShot:
        return missileShot();
    case SoundEffect::DestroyerShot:
        return destroyerShot();
    case SoundEffect::LaserShot:
        return laserShot();
    case SoundEffect::EnemyShot:
        return enemyShot();
    case SoundEffect::EnemyHit:
        return enemyHit();
    case SoundEffect::EnemyExplosion:
        return enemyExplosion();
    case SoundEffect::ShipExplosion:
        return shipExplosion();
    case SoundEffect::ShipHit:
        return shipHit();
    case SoundEffect::Pickup:
        return pickup();
    case SoundEffect::WeaponSwitch:
        return weaponSwitch();
    case SoundEffect::BossDestroyed:
        return bossDestroyed();
    case SoundEffect::SwarmSplit:
        return swarmSplit();
    case SoundEffect::MenuMove:
        return menuMove();
    case SoundEffect::MenuConfirm:
        return menuConfirm();
    case SoundEffect::Pause:
        return pause();
    case SoundEffect::Resume:
        return resume();
    case SoundEffect::GameOver:
        return gameOver();
    }
    return {};
}
