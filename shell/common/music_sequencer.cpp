#include "shell/common/music_sequencer.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

constexpr int kStepsPerBar = CompiledTheme::kStepsPerBar;
// Samples in a sixteenth at a tempo: a quarter note is 60 / tempo seconds.
constexpr int kSampleSixteenthsAMinute = kSoundSampleRate * 60 / 4;
constexpr int kSemitonesInOctave = 12;
// Renders in blocks on the stack: the audio thread allocates nothing.
constexpr int kBlock = 256;

// One written token that sounds, where it starts and for how long, holds included.
struct Played {
    int step;
    int lengthSteps;
    std::string token;
};

struct Chord {
    int root = 0;
    std::vector<int> intervals;
};

// Reads bars of tokens (see music_score.h) into what sounds, rests dropped and holds folded into
// the notes they hold, repeated to fill `themeBars`.
std::vector<Played> readBars(const char* text, int themeBars, std::string& error) {
    std::vector<Played> played;
    std::istringstream bars(text);
    std::string bar;
    int barIndex = 0;
    bool resting = true;
    while (std::getline(bars, bar, '|')) {
        std::istringstream in(bar);
        std::vector<std::string> tokens;
        for (std::string token; in >> token;) {
            tokens.push_back(token);
        }
        const int count = static_cast<int>(tokens.size());
        if (count == 0 || kStepsPerBar % count != 0) {
            error = "bar " + std::to_string(barIndex + 1) + " has " + std::to_string(count) +
                    " tokens, not 1, 2, 4, 8 or 16";
            return {};
        }
        const int steps = kStepsPerBar / count;
        for (int i = 0; i < count; ++i) {
            const int step = barIndex * kStepsPerBar + i * steps;
            if (tokens[i] == "-") {
                if (resting) {
                    error = "bar " + std::to_string(barIndex + 1) + " holds a rest";
                    return {};
                }
                played.back().lengthSteps += steps;
            } else {
                resting = tokens[i] == ".";
                if (!resting) {
                    played.push_back({step, steps, tokens[i]});
                }
            }
        }
        ++barIndex;
    }
    if (barIndex == 0 || themeBars % barIndex != 0) {
        error = std::to_string(barIndex) + " bars do not divide the theme's " +
                std::to_string(themeBars);
        return {};
    }
    const std::size_t once = played.size();
    for (int repeat = 1; repeat < themeBars / barIndex; ++repeat) {
        for (std::size_t i = 0; i < once; ++i) {
            Played copy = played[i];
            copy.step += repeat * barIndex * kStepsPerBar;
            played.push_back(copy);
        }
    }
    return played;
}

// The semitone of a note letter with its sharp or flat above the octave's C (-1 for Cb, 12 for
// B#), read from the front of `text`; `used` is how many characters it took. Nothing sounds
// without its letter: -100 for a token that has none.
constexpr int kNoPitch = -100;

int letterPitch(const std::string& text, std::size_t& used) {
    static const int kLetters[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (text.empty() || text[0] < 'A' || text[0] > 'G') {
        return kNoPitch;
    }
    int pitch = kLetters[text[0] - 'A'];
    used = 1;
    if (text.size() > 1 && (text[1] == '#' || text[1] == 'b')) {
        pitch += text[1] == '#' ? 1 : -1;
        used = 2;
    }
    return pitch;
}

bool readChord(const std::string& name, Chord& chord) {
    static const struct {
        const char* suffix;
        std::vector<int> intervals;
    } kQualities[] = {
        {"", {0, 4, 7}},         {"m", {0, 3, 7}},    {"7", {0, 4, 7, 10}}, {"m7", {0, 3, 7, 10}},
        {"maj7", {0, 4, 7, 11}}, {"sus4", {0, 5, 7}}, {"dim", {0, 3, 6}},
    };
    std::size_t used = 0;
    const int pitch = letterPitch(name, used);
    chord.root = (pitch + kSemitonesInOctave) % kSemitonesInOctave;
    for (const auto& quality : kQualities) {
        if (pitch != kNoPitch && name.substr(used) == quality.suffix) {
            chord.intervals = quality.intervals;
            return true;
        }
    }
    return false;
}

// A written note (A4, C#5, Bb3) as a MIDI key; -1 if it is none.
int noteKey(const std::string& token) {
    std::size_t used = 0;
    const int pitch = letterPitch(token, used);
    if (pitch == kNoPitch || used + 1 != token.size() ||
        !std::isdigit(static_cast<unsigned char>(token[used]))) {
        return -1;
    }
    return kSemitonesInOctave * (token[used] - '0' + 1) + pitch;
}

// The keys a chord-relative token sounds over `chord`; empty if the token is none.
std::vector<int> degreeKeys(const std::string& token, const Chord& chord, int octave) {
    const int root = kSemitonesInOctave * (octave + 1) + chord.root;
    if (token == "x") {
        std::vector<int> keys;
        for (const int interval : chord.intervals) {
            keys.push_back(root + interval);
        }
        return keys;
    }
    static const struct {
        const char* degree;
        std::size_t index;
    } kDegrees[] = {{"1", 0}, {"3", 1}, {"5", 2}, {"7", 3}};
    for (const auto& d : kDegrees) {
        if (token == d.degree && d.index < chord.intervals.size()) {
            return {root + chord.intervals[d.index]};
        }
    }
    if (token == "8") {
        return {root + kSemitonesInOctave};
    }
    return {};
}

bool isDrum(Instrument instrument) {
    return instrument == Instrument::Kick || instrument == Instrument::Snare ||
           instrument == Instrument::Hat;
}

// The chord of every step of the theme.
std::vector<Chord> readChords(const ThemeScore& score, std::string& error) {
    const std::vector<Played> written = readBars(score.chords, score.bars, error);
    std::vector<Chord> byStep(static_cast<std::size_t>(score.bars * kStepsPerBar));
    for (const Played& p : written) {
        Chord chord;
        if (!readChord(p.token, chord)) {
            error = "'" + p.token + "' is no chord";
            return {};
        }
        std::fill_n(byStep.begin() + p.step, p.lengthSteps, chord);
    }
    if (error.empty() && !byStep.empty() && byStep[0].intervals.empty()) {
        error = "the first bar has no chord";
    }
    return byStep;
}

bool addTrack(const TrackScore& track, const ThemeScore& score, const std::vector<Chord>& chords,
              CompiledTheme& theme) {
    const std::vector<Played> written = readBars(track.bars, score.bars, theme.error);
    for (const Played& p : written) {
        std::vector<int> keys;
        if (isDrum(track.instrument)) {
            keys = p.token == "x" ? std::vector<int>{0} : std::vector<int>{};
        } else if (track.instrument == Instrument::Lead) {
            const int key = noteKey(p.token);
            keys = key >= 0 ? std::vector<int>{key} : std::vector<int>{};
        } else {
            keys = degreeKeys(p.token, chords[static_cast<std::size_t>(p.step)], track.octave);
        }
        if (keys.empty()) {
            theme.error = "'" + p.token + "' at step " + std::to_string(p.step) +
                          " means nothing to this track";
            return false;
        }
        for (const int key : keys) {
            theme.notes.push_back({p.step, p.lengthSteps, track.instrument, key});
        }
    }
    return theme.error.empty();
}

} // namespace

CompiledTheme compileTheme(const ThemeScore& score) {
    CompiledTheme theme;
    theme.loops = score.loops;
    theme.level = score.level;
    if (score.tempo <= 0 || kSampleSixteenthsAMinute % score.tempo != 0) {
        theme.error = "a sixteenth at " + std::to_string(score.tempo) +
                      " a minute is no whole number of samples";
        return theme;
    }
    theme.samplesPerStep = kSampleSixteenthsAMinute / score.tempo;
    theme.steps = score.bars * kStepsPerBar;
    if (score.bars == 0) {
        return theme;
    }
    const std::vector<Chord> chords = readChords(score, theme.error);
    for (const TrackScore& track : score.tracks) {
        if (!theme.error.empty() || !addTrack(track, score, chords, theme)) {
            theme.notes.clear();
            return theme;
        }
    }
    std::stable_sort(theme.notes.begin(), theme.notes.end(),
                     [](const NoteEvent& a, const NoteEvent& b) { return a.step < b.step; });
    return theme;
}

void ThemePlayer::start(const CompiledTheme* theme) {
    // A theme with no steps (silence, or a score that could not be read) has nothing to play and
    // no loop to go round: it is played as silence.
    const bool playable = theme != nullptr && theme->error.empty() && theme->steps > 0;
    theme_ = playable ? theme : nullptr;
    position_ = 0;
    nextNote_ = 0;
    noiseSeed_ = 1;
    voices_.clear();
}

void ThemePlayer::startNotesAtPosition() {
    const std::vector<NoteEvent>& notes = theme_->notes;
    for (; nextNote_ < notes.size() &&
           static_cast<std::int64_t>(notes[nextNote_].step) * theme_->samplesPerStep == position_;
         ++nextNote_) {
        const NoteEvent& note = notes[nextNote_];
        // A different noise for every hit, the same every time the theme is played.
        noiseSeed_ = noiseSeed_ * 1664525u + 1013904223u;
        voices_.noteOn(note.instrument, note.key, note.lengthSteps * theme_->samplesPerStep,
                       noiseSeed_);
    }
}

void ThemePlayer::render(float* out, int frames, float gain) {
    if (theme_ == nullptr) {
        return;
    }
    const std::int64_t length = theme_->lengthSamples();
    int done = 0;
    while (done < frames) {
        if (theme_->loops && position_ == length) {
            position_ = 0;
            nextNote_ = 0;
        }
        startNotesAtPosition();
        std::int64_t until = frames - done;
        if (nextNote_ < theme_->notes.size()) {
            until = std::min(until, static_cast<std::int64_t>(theme_->notes[nextNote_].step) *
                                            theme_->samplesPerStep -
                                        position_);
        }
        if (theme_->loops) {
            until = std::min(until, length - position_);
        }
        voices_.render(out + done, static_cast<int>(until), gain);
        position_ += until;
        done += static_cast<int>(until);
    }
}

std::int64_t ThemePlayer::samplesToBarLine() const {
    if (theme_ == nullptr || theme_->barSamples() == 0) {
        return 0;
    }
    const std::int64_t into = position_ % theme_->barSamples();
    return into == 0 ? 0 : theme_->barSamples() - into;
}

bool ThemePlayer::finished() const {
    return theme_ == nullptr ||
           (!theme_->loops && position_ >= theme_->lengthSamples() && voices_.silent());
}

MusicPlayer::MusicPlayer() {
    for (int i = 0; i < kMusicThemeCount; ++i) {
        themes_[i] = compileTheme(themeScore(static_cast<MusicTheme>(i)));
    }
}

void MusicPlayer::switchTo(MusicTheme theme) {
    std::swap(current_, fading_);
    fadeLeft_ = fading_.finished() ? 0 : kCrossFadeSamples;
    current_.start(&themes_[static_cast<int>(theme)]);
    playing_ = theme;
}

void MusicPlayer::render(float* out, int frames) {
    const auto wanted = static_cast<MusicTheme>(requested_.load());
    if (!on_.load() && switchGain_ == 0.0f) {
        // Off and faded out: nothing is played, but the theme keeps up with the game, to be
        // heard from its top when the music comes back.
        if (wanted != playing_) {
            switchTo(wanted);
            fading_.stop();
            fadeLeft_ = 0;
        }
        return;
    }
    int done = 0;
    while (done < frames) {
        std::int64_t chunk = frames - done;
        if (wanted != playing_) {
            const std::int64_t toBarLine = current_.samplesToBarLine();
            if (current_.finished() || toBarLine == 0) {
                switchTo(wanted);
            } else {
                chunk = std::min(chunk, toBarLine);
            }
        }
        renderThemes(out + done, static_cast<int>(chunk));
        done += static_cast<int>(chunk);
    }
}

void MusicPlayer::renderThemes(float* out, int frames) {
    const float rampStep = 1.0f / kSwitchRampSamples;
    const float target = on_.load() ? 1.0f : 0.0f;
    for (int done = 0; done < frames; done += kBlock) {
        const int count = std::min(kBlock, frames - done);
        std::array<float, kBlock> playing{};
        std::array<float, kBlock> fading{};
        if (current_.theme() != nullptr) {
            current_.render(playing.data(), count, current_.theme()->level);
        }
        if (fadeLeft_ > 0) {
            fading_.render(fading.data(), count, fading_.theme()->level);
        }
        for (int i = 0; i < count; ++i) {
            const float fadeGain = static_cast<float>(fadeLeft_) / kCrossFadeSamples;
            fadeLeft_ = std::max(0, fadeLeft_ - 1);
            switchGain_ = switchGain_ < target ? std::min(target, switchGain_ + rampStep)
                                               : std::max(target, switchGain_ - rampStep);
            out[done + i] += (playing[i] + fading[i] * fadeGain) * switchGain_;
        }
        if (fadeLeft_ == 0) {
            fading_.stop();
        }
    }
}
