#pragma once

#include <vector>

// The game's soundtrack as a musician writes it: for each theme a key, a tempo, a chord for every
// bar and a few tracks (bass, harmony, lead, drums) of notes in bars. The mixer plays it live with
// the instruments of music_synth.h, so the score is all the music weighs.
//
// A track is written bar by bar, bars parted by '|'. A bar holds 1, 2, 4, 8 or 16 tokens, which
// share it evenly (whole notes to sixteenths); a token is
//   a note name with its octave (A4, C#5, Bb3), for the lead;
//   a degree of the bar's chord (1 3 5 7, 8 for the root an octave up), or x for the whole
//     chord, for the bass and the harmony, the chord's root placed in the track's octave;
//   x for a drum's hit;
//   - to hold the note before it on, or . for a rest.
// A track shorter than its theme repeats; its bars must divide the theme's. The chord line is
// written the same way with chord names (Am, F, E7, Bb, Cm, Fmaj7, Dsus4).
enum class MusicTheme : int {
    Silence,
    Menu,
    Level,
    Boss,
    Finale,
    GameOver,
    Paused,
};

constexpr int kMusicThemeCount = static_cast<int>(MusicTheme::Paused) + 1;

const char* musicThemeName(MusicTheme theme);

enum class Instrument : int {
    Bass,
    Pad,
    Pluck,
    Lead,
    Kick,
    Snare,
    Hat,
};

constexpr int kInstrumentCount = static_cast<int>(Instrument::Hat) + 1;

struct TrackScore {
    Instrument instrument;
    // Where a chord-relative track puts the chord's root; written notes carry their own octave.
    int octave;
    const char* bars;
};

struct ThemeScore {
    // Quarter notes a minute. A sixteenth must be a whole number of samples, so that every note
    // and every loop starts on an exact sample: kSoundSampleRate * 15 divisible by the tempo.
    int tempo;
    int bars;
    // A theme that does not loop plays once and falls silent.
    bool loops;
    // The theme's share of the music's level, to even the themes out by ear and meter.
    float level;
    const char* chords;
    std::vector<TrackScore> tracks;
};

// The score of each theme; Silence has no bars.
const ThemeScore& themeScore(MusicTheme theme);
