#include "shell/common/music_sequencer.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int kTempo = 126;
// A sixteenth at 126 a minute: 22050 * 15 / 126 samples.
constexpr int kStep = 2625;

std::vector<float> rendered(ThemePlayer& player, int frames, float gain = 1.0f) {
    std::vector<float> out(static_cast<std::size_t>(frames), 0.0f);
    player.render(out.data(), frames, gain);
    return out;
}

std::vector<float> rendered(MusicPlayer& player, int frames) {
    std::vector<float> out(static_cast<std::size_t>(frames), 0.0f);
    player.render(out.data(), frames);
    return out;
}

// Where a sound starts out of silence: the samples that follow at least `gap` zeros.
std::vector<int> onsets(const std::vector<float>& samples, int gap) {
    std::vector<int> found;
    int zeros = gap;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (samples[i] != 0.0f && zeros >= gap) {
            found.push_back(static_cast<int>(i));
        }
        zeros = samples[i] == 0.0f ? zeros + 1 : 0;
    }
    return found;
}

float largestJump(const std::vector<float>& samples, std::size_t from, std::size_t to) {
    float jump = 0.0f;
    for (std::size_t i = std::max<std::size_t>(from, 1); i < to; ++i) {
        jump = std::max(jump, std::fabs(samples[i] - samples[i - 1]));
    }
    return jump;
}

TEST(MusicScore, EveryThemeReadsAndOnlyTheStingEnds) {
    for (int i = 0; i < kMusicThemeCount; ++i) {
        const auto theme = static_cast<MusicTheme>(i);
        const CompiledTheme compiled = compileTheme(themeScore(theme));
        EXPECT_EQ(compiled.error, "") << musicThemeName(theme);
        EXPECT_EQ(compiled.notes.empty(), theme == MusicTheme::Silence) << musicThemeName(theme);
        EXPECT_EQ(compiled.loops, theme != MusicTheme::Silence && theme != MusicTheme::GameOver)
            << musicThemeName(theme);
        EXPECT_TRUE(
            std::is_sorted(compiled.notes.begin(), compiled.notes.end(),
                           [](const NoteEvent& a, const NoteEvent& b) { return a.step < b.step; }));
    }
}

TEST(MusicScore, NotesDegreesHoldsAndRepeatsAreReadAsWritten) {
    const CompiledTheme theme = compileTheme({kTempo,
                                              2,
                                              true,
                                              1.0f,
                                              "Am | E7",
                                              {{Instrument::Lead, 0, "A4 - - C5 | Bb3 . C#5 -"},
                                               {Instrument::Bass, 2, "1 3 5 8"},
                                               {Instrument::Pad, 3, ". x"}}});
    ASSERT_EQ(theme.error, "");
    EXPECT_EQ(theme.samplesPerStep, kStep);
    EXPECT_EQ(theme.steps, 32);
    std::vector<std::tuple<int, int, Instrument, int>> notes;
    for (const NoteEvent& n : theme.notes) {
        notes.emplace_back(n.step, n.lengthSteps, n.instrument, n.key);
    }
    using I = Instrument;
    const std::vector<std::tuple<int, int, Instrument, int>> expected = {
        // Bar 1, Am: the lead's A4 held three quarters, the bass's A2 C3 E3 A3.
        {0, 12, I::Lead, 69},
        {0, 4, I::Bass, 45},
        {4, 4, I::Bass, 48},
        {8, 4, I::Bass, 52},
        {8, 8, I::Pad, 57},
        {8, 8, I::Pad, 60},
        {8, 8, I::Pad, 64},
        {12, 4, I::Lead, 72},
        {12, 4, I::Bass, 57},
        // Bar 2, E7: the bass repeats over the new chord; the pad plays all four of its notes.
        {16, 4, I::Lead, 58},
        {16, 4, I::Bass, 40},
        {20, 4, I::Bass, 44},
        {24, 8, I::Lead, 73},
        {24, 4, I::Bass, 47},
        {24, 8, I::Pad, 52},
        {24, 8, I::Pad, 56},
        {24, 8, I::Pad, 59},
        {24, 8, I::Pad, 62},
        {28, 4, I::Bass, 52}};
    std::sort(notes.begin(), notes.end());
    std::vector<std::tuple<int, int, Instrument, int>> sortedExpected = expected;
    std::sort(sortedExpected.begin(), sortedExpected.end());
    EXPECT_EQ(notes, sortedExpected);
}

TEST(MusicScore, AScoreThatDoesNotAddUpIsRefusedSayingWhere) {
    const auto errorOf = [](int tempo, const char* chords, TrackScore track) {
        return compileTheme({tempo, 2, true, 1.0f, chords, {track}}).error;
    };
    const TrackScore fine{Instrument::Kick, 0, "x x x x"};
    EXPECT_EQ(errorOf(kTempo, "Am", fine), "");
    // 22050 * 15 / 128 is no whole number of samples.
    EXPECT_NE(errorOf(128, "Am", fine), "");
    EXPECT_NE(errorOf(kTempo, "Am", {Instrument::Kick, 0, "x x x"}), "");
    EXPECT_NE(errorOf(kTempo, "Am | Am | Am", fine), "");
    EXPECT_NE(errorOf(kTempo, "Hm", fine), "");
    EXPECT_NE(errorOf(kTempo, "Am", {Instrument::Kick, 0, ". - x x"}), "");
    EXPECT_NE(errorOf(kTempo, "Am", {Instrument::Lead, 0, "A4 H4 A A44"}), "");
    // A triad has no seventh to play.
    EXPECT_NE(errorOf(kTempo, "Am", {Instrument::Bass, 2, "1 3 5 7"}), "");
    EXPECT_EQ(errorOf(kTempo, "Am7", {Instrument::Bass, 2, "1 3 5 7"}), "");
}

// A hat on the first and ninth sixteenths of a one-bar loop: heard on exactly those samples, pass
// after pass.
TEST(ThemePlayer, NotesStartOnTheirSampleAndTheLoopComesBackOnTheSampleItEnds) {
    const CompiledTheme theme = compileTheme(
        {kTempo, 1, true, 1.0f, "Am", {{Instrument::Hat, 0, "x . . . . . . . x . . . . . . ."}}});
    ASSERT_EQ(theme.error, "");
    ThemePlayer player;
    player.start(&theme);
    const int loop = 16 * kStep;
    // Rendered in odd pieces, as an audio device asks, so no piece lines up with a note.
    std::vector<float> samples;
    while (samples.size() < static_cast<std::size_t>(3 * loop)) {
        const std::vector<float> piece = rendered(player, 997);
        samples.insert(samples.end(), piece.begin(), piece.end());
    }
    samples.resize(static_cast<std::size_t>(3 * loop));
    EXPECT_EQ(onsets(samples, 2000), (std::vector<int>{0, 8 * kStep, loop, loop + 8 * kStep,
                                                       2 * loop, 2 * loop + 8 * kStep}));
}

// A band plays on into its repeat: the notes ringing at the end of a theme carry over its loop
// point, which is no sharper a step than any other in the theme.
TEST(ThemePlayer, EveryThemeLoopsWithoutAClick) {
    for (const MusicTheme t : {MusicTheme::Menu, MusicTheme::Level, MusicTheme::Boss,
                               MusicTheme::Finale, MusicTheme::Paused}) {
        const CompiledTheme theme = compileTheme(themeScore(t));
        ThemePlayer player;
        player.start(&theme);
        const auto length = static_cast<std::size_t>(theme.lengthSamples());
        const std::vector<float> samples = rendered(player, static_cast<int>(2 * length));
        const float atLoop = largestJump(samples, length - 1, length + 1);
        EXPECT_LE(atLoop, largestJump(samples, length / 2, length)) << musicThemeName(t);
    }
}

// A score that could not be read is never played: its loop would have no length to go round.
TEST(ThemePlayer, AThemeThatDidNotReadPlaysAsSilence) {
    const CompiledTheme broken =
        compileTheme({kTempo, 1, true, 1.0f, "Am", {{Instrument::Kick, 0, "x x x"}}});
    ASSERT_NE(broken.error, "");
    ThemePlayer player;
    player.start(&broken);
    EXPECT_TRUE(player.finished());
    EXPECT_EQ(rendered(player, 1000), std::vector<float>(1000, 0.0f));
}

TEST(ThemePlayer, TheStingPlaysOnceAndFallsSilent) {
    const CompiledTheme sting = compileTheme(themeScore(MusicTheme::GameOver));
    ThemePlayer player;
    player.start(&sting);
    const auto length = static_cast<int>(sting.lengthSamples());
    const std::vector<float> whole = rendered(player, length);
    EXPECT_GT(*std::max_element(whole.begin(), whole.end()), 0.05f);
    EXPECT_FALSE(player.finished());
    rendered(player, 3 * kSoundSampleRate);
    EXPECT_TRUE(player.finished());
    const std::vector<float> after = rendered(player, kSoundSampleRate);
    EXPECT_EQ(after, std::vector<float>(after.size(), 0.0f));
}

// Asked for the boss in the middle of a bar of the level, the music plays the level to the bar
// line; there the boss starts from its top while the level fades out under it.
TEST(MusicPlayer, AChangeWaitsForTheBarLineAndCrossFadesThere) {
    MusicPlayer music;
    const CompiledTheme& level = music.compiled(MusicTheme::Level);
    const CompiledTheme& boss = music.compiled(MusicTheme::Boss);
    const int bar = level.barSamples();
    music.request(MusicTheme::Level);
    std::vector<float> heard = rendered(music, bar / 3);
    EXPECT_EQ(music.playing(), MusicTheme::Level);
    music.request(MusicTheme::Boss);
    const std::vector<float> rest = rendered(music, bar + MusicPlayer::kCrossFadeSamples);
    heard.insert(heard.end(), rest.begin(), rest.end());
    EXPECT_EQ(music.playing(), MusicTheme::Boss);

    ThemePlayer alone;
    alone.start(&level);
    const std::vector<float> levelAlone =
        rendered(alone, static_cast<int>(heard.size()), level.level);
    alone.start(&boss);
    const std::vector<float> bossAlone =
        rendered(alone, static_cast<int>(heard.size()), boss.level);
    // Past the ramp the music starts with.
    for (int i = MusicPlayer::kSwitchRampSamples; i < bar; ++i) {
        ASSERT_FLOAT_EQ(heard[i], levelAlone[i]) << i;
    }
    for (int k = 0; k < MusicPlayer::kCrossFadeSamples; ++k) {
        const float fade =
            static_cast<float>(MusicPlayer::kCrossFadeSamples - k) / MusicPlayer::kCrossFadeSamples;
        ASSERT_NEAR(heard[bar + k], bossAlone[k] + levelAlone[bar + k] * fade, 1e-6f) << k;
    }
}

TEST(MusicPlayer, OffFadesOutAtOnceAndOnComesBack) {
    MusicPlayer music;
    music.request(MusicTheme::Level);
    rendered(music, kSoundSampleRate);
    music.setOn(false);
    const std::vector<float> fading = rendered(music, kSoundSampleRate);
    EXPECT_NE(fading[0], 0.0f);
    const std::vector<float> tail(fading.begin() + MusicPlayer::kSwitchRampSamples, fading.end());
    EXPECT_EQ(tail, std::vector<float>(tail.size(), 0.0f));
    // Changes of theme are followed while off, and heard at once when the music comes back.
    music.request(MusicTheme::Boss);
    rendered(music, 100);
    EXPECT_EQ(music.playing(), MusicTheme::Boss);
    music.setOn(true);
    const std::vector<float> back = rendered(music, kSoundSampleRate);
    EXPECT_GT(*std::max_element(back.begin(), back.end()), 0.05f);
}

} // namespace
