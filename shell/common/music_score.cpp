// The soundtrack. Everything is in A minor but the boss (D minor, darkened by its flat second)
// and the game-over sting (C minor, the key of the game-over effect it follows). The level's
// leading tone (G# in the E chord) pulls every loop back to its first bar.
#include "shell/common/music_score.h"

namespace {

using I = Instrument;

// The same beat under every bar: kick on the beats, snare on two and four, hats between.
constexpr const char* kFourOnTheFloor = "x . x . x . x .";
constexpr const char* kBackbeat = ". . x . . . x . | . . x . . . x . | . . x . . . x . | "
                                  ". . x . . . x . | . . x . . . x . | . . x . . . x . | "
                                  ". . x . . . x . | . . x . . x x x";
constexpr const char* kOffbeatHats = ". x . x . x . x";

// Dreamy and slow: a plucked arpeggio over a held pad, the melody answering itself every four
// bars.
ThemeScore menuTheme() {
    return {90,
            8,
            true,
            1.1f,
            "Am | F | C | G | Am | F | Dm | E7",
            {
                {I::Pad, 3, "x"},
                {I::Bass, 2, "1 - - - - - 5 - 1 - - - 8 - 5 -"},
                {I::Pluck, 4, "1 3 5 8 5 3 5 3"},
                {I::Lead, 0,
                 "E5 - D5 C5 | C5 - A4 - | G4 - C5 E5 | D5 - - - | "
                 "E5 - A5 G5 | F5 - E5 C5 | D5 - F5 E5 | B4 - G#4 B4"},
                {I::Kick, 0, "x . . . x . . ."},
                {I::Hat, 0, kOffbeatHats},
            }};
}

// The level: driving eighths in the bass, a sixteenth arpeggio and a lead that climbs to the
// octave in the second half.
ThemeScore levelTheme() {
    return {126,
            8,
            true,
            0.97f,
            "Am | Am | F | G | Am | C | Dm | E7",
            {
                {I::Bass, 2, "1 1 8 1 1 1 8 5"},
                {I::Pluck, 4, "1 5 8 5 3 5 8 5 1 5 8 5 3 5 8 5"},
                {I::Lead, 0,
                 "A4 - C5 - E5 - D5 C5 | E5 - - D5 C5 - B4 - | A4 - - - C5 - F5 - | "
                 "D5 - B4 - G4 - D5 - | A5 - - G5 E5 - - C5 | G5 - E5 - C5 - E5 - | "
                 "F5 - E5 - D5 - A4 - | G#4 - B4 - E5 - D5 B4"},
                {I::Kick, 0, kFourOnTheFloor},
                {I::Snare, 0, kBackbeat},
                {I::Hat, 0, kOffbeatHats},
            }};
}

// The boss: faster, a pulsing sixteenth bass, a dark pad and a lead that leans on the flat
// second and creeps down by semitones.
ThemeScore bossTheme() {
    return {147,
            4,
            true,
            0.78f,
            "Dm | Dm | Bb | A7",
            {
                {I::Pad, 3, "x"},
                {I::Bass, 2, "1 1 8 1 1 1 8 1 1 1 8 1 5 1 8 1"},
                {I::Lead, 0,
                 "D5 - - Eb5 D5 - A4 - | F5 - E5 - Eb5 - D5 - | F5 - - - D5 - Bb4 - | "
                 "C#5 - E5 - A5 - G5 -"},
                {I::Kick, 0, "x . . x . . x . x . . x . . x ."},
                {I::Snare, 0, ". . . . x . . . . . . . x . . x"},
                {I::Hat, 0, "x x x x x x x x x x x x x x x x"},
            }};
}

// The swarm splits: the fastest theme, pumping octaves, a high lead over the full band and a
// snare roll into every eighth bar.
ThemeScore finaleTheme() {
    return {150,
            8,
            true,
            0.85f,
            "F | G | Am | Am | F | G | E | E7",
            {
                {I::Pad, 3, "x"},
                {I::Bass, 2, "1 8 1 8 1 8 5 8"},
                {I::Pluck, 4, "1 3 5 8 5 3 1 3 5 8 5 3 1 3 5 3"},
                {I::Lead, 0,
                 "A5 - - - G5 - F5 - | G5 - - - B5 - D6 - | C6 - - - B5 - A5 - | "
                 "A5 - - - E5 - - - | A5 - C6 - A5 - F5 - | B5 - D6 - B5 - G5 - | "
                 "G#5 - - - B5 - - - | E6 - - - D6 - B5 -"},
                {I::Kick, 0, kFourOnTheFloor},
                {I::Snare, 0, kBackbeat},
                {I::Hat, 0, "x x x x x x x x x x x x x x x x"},
            }};
}

// Game over: a minor plagal cadence that sinks to the tonic and rings out in its last bar.
ThemeScore gameOverTheme() {
    return {90,
            3,
            false,
            1.0f,
            "Fm | Cm | Cm",
            {
                {I::Pad, 3, "x | x | ."},
                {I::Bass, 2, "1 | 1 | ."},
                {I::Lead, 0, "C5 - Ab4 - | G4 - - - | ."},
            }};
}

// Paused: only a low pad, rocking between two chords.
ThemeScore pausedTheme() {
    return {90,
            4,
            true,
            0.7f,
            "Am | F | Am | Dm",
            {
                {I::Pad, 3, "x"},
                {I::Bass, 2, "1"},
            }};
}

} // namespace

const char* musicThemeName(MusicTheme theme) {
    static const char* const kNames[kMusicThemeCount] = {
        "silence", "menu", "level", "boss", "finale", "game_over", "paused",
    };
    return kNames[static_cast<int>(theme)];
}

const ThemeScore& themeScore(MusicTheme theme) {
    static const ThemeScore kScores[kMusicThemeCount] = {
        {90, 0, false, 0.0f, "", {}},
        menuTheme(),
        levelTheme(),
        bossTheme(),
        finaleTheme(),
        gameOverTheme(),
        pausedTheme(),
    };
    return kScores[static_cast<int>(theme)];
}
