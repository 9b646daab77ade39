#pragma once

#include "shell/common/music_score.h"
#include "shell/common/music_synth.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// One note of a theme, at its sixteenth.
struct NoteEvent {
    int step = 0;
    int lengthSteps = 1;
    Instrument instrument = Instrument::Lead;
    int key = 0; // MIDI note number; unused by the drums
};

// A theme's score read into notes in the order they start. Reading fails, with `error` saying
// where, for a token it does not know, a bar of the wrong length, or a track that does not fit.
struct CompiledTheme {
    int samplesPerStep = 0;
    int steps = 0;
    bool loops = false;
    float level = 0.0f;
    std::vector<NoteEvent> notes;
    std::string error;

    int barSamples() const { return samplesPerStep * kStepsPerBar; }
    std::int64_t lengthSamples() const { return static_cast<std::int64_t>(steps) * samplesPerStep; }
    static constexpr int kStepsPerBar = 16;
};

CompiledTheme compileTheme(const ThemeScore& score);

// Plays one compiled theme from its first sample: starts its notes on their exact samples, loops
// it, and lets notes ring on across the loop point as a band plays on into the repeat. Allocates
// nothing once made.
class ThemePlayer {
  public:
    // Starts `theme` from its top; one without steps or with an error plays as silence.
    void start(const CompiledTheme* theme);
    void stop() { start(nullptr); }

    // Adds `frames` samples of the theme, times `gain`, into `out`.
    void render(float* out, int frames, float gain);

    // Samples from now to the next bar line; 0 on one.
    std::int64_t samplesToBarLine() const;
    // Nothing more will be heard: no theme, or a theme that does not loop played out.
    bool finished() const;
    const CompiledTheme* theme() const { return theme_; }
    std::int64_t position() const { return position_; }

  private:
    void startNotesAtPosition();
    void renderVoices(float* out, int frames, float gain);

    const CompiledTheme* theme_ = nullptr;
    std::int64_t position_ = 0;
    std::size_t nextNote_ = 0;
    std::uint32_t noiseSeed_ = 1;
    VoicePool voices_;
};

// The music of the game: the theme asked for last, changed on the playing theme's next bar line,
// where the new theme starts from its top while the old one fades out under it. The game's thread
// asks for themes and switches the music on and off; the audio thread renders.
class MusicPlayer {
  public:
    // How long the theme given way to takes to fade out from the bar line.
    static constexpr int kCrossFadeSamples = kSoundSampleRate / 2;
    // Switching the music off or on ramps it this fast, so neither is a click.
    static constexpr int kSwitchRampSamples = kSoundSampleRate / 50;

    MusicPlayer();

    void request(MusicTheme theme) { requested_.store(static_cast<int>(theme)); }
    void setOn(bool on) { on_.store(on); }
    bool on() const { return on_.load(); }

    // Adds `frames` samples of music into `out`.
    void render(float* out, int frames);

    // The theme playing now (the one faded in last).
    MusicTheme playing() const { return playing_; }
    const CompiledTheme& compiled(MusicTheme theme) const {
        return themes_[static_cast<int>(theme)];
    }

  private:
    void switchTo(MusicTheme theme);
    void renderThemes(float* out, int frames);

    std::array<CompiledTheme, kMusicThemeCount> themes_;
    std::atomic<int> requested_{static_cast<int>(MusicTheme::Silence)};
    std::atomic<bool> on_{true};
    MusicTheme playing_ = MusicTheme::Silence;
    ThemePlayer current_;
    ThemePlayer fading_;
    int fadeLeft_ = 0;
    float switchGain_ = 1.0f;
};
