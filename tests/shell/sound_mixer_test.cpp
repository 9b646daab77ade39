#include "platform/platform.h"
#include "shell/common/sound_mixer.h"
#include "tests/support/png_files.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

void put(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

void putTag(std::vector<unsigned char>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

// A WAV file as the synthesiser writes them, with the fields a test may spoil.
std::vector<unsigned char> wav(const std::vector<std::int16_t>& samples,
                               int rate = kSoundSampleRate, int channels = 1, int bits = 16) {
    std::vector<unsigned char> out;
    putTag(out, "RIFF");
    put(out, static_cast<std::uint32_t>(36 + 2 * samples.size()), 4);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put(out, 16, 4);
    put(out, 1, 2);
    put(out, static_cast<std::uint32_t>(channels), 2);
    put(out, static_cast<std::uint32_t>(rate), 4);
    put(out, static_cast<std::uint32_t>(rate * 2), 4);
    put(out, 2, 2);
    put(out, static_cast<std::uint32_t>(bits), 2);
    putTag(out, "data");
    put(out, static_cast<std::uint32_t>(2 * samples.size()), 4);
    for (const std::int16_t s : samples) {
        put(out, static_cast<std::uint16_t>(s), 2);
    }
    return out;
}

std::optional<std::vector<std::int16_t>> decode(const std::vector<unsigned char>& bytes) {
    return decodeWav(bytes.data(), bytes.size());
}

TEST(DecodeWav, ReadsTheGamesOwnKindAndSkipsChunksItDoesNotKnow) {
    const std::vector<std::int16_t> samples = {0, 1, -1, 32767, -32768};
    EXPECT_EQ(decode(wav(samples)), samples);

    std::vector<unsigned char> withList = wav(samples);
    // An odd-sized chunk before the format: it is padded to even and stepped over.
    const std::vector<unsigned char> list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    withList.insert(withList.begin() + 12, list.begin(), list.end());
    EXPECT_EQ(decode(withList), samples);
}

TEST(DecodeWav, RefusesWhatIsNotOursOrNotWhole) {
    const std::vector<std::int16_t> samples(100, 1000);
    EXPECT_FALSE(decode(wav(samples, 44100)));
    EXPECT_FALSE(decode(wav(samples, kSoundSampleRate, 2)));
    EXPECT_FALSE(decode(wav(samples, kSoundSampleRate, 1, 8)));
    EXPECT_FALSE(decode({}));
    EXPECT_FALSE(decode({'R', 'I', 'F', 'F'}));

    const std::vector<unsigned char> whole = wav(samples);
    // Every truncation: the data chunk then claims more than there is.
    for (std::size_t size = 0; size < whole.size(); ++size) {
        EXPECT_FALSE(decodeWav(whole.data(), size)) << size;
    }
    // A chunk length near 4 GiB must not wrap the walk around.
    std::vector<unsigned char> huge = whole;
    huge[16] = huge[17] = huge[18] = huge[19] = 0xFF;
    EXPECT_FALSE(decode(huge));
    // Data before any format.
    std::vector<unsigned char> noFormat;
    putTag(noFormat, "RIFF");
    put(noFormat, 12, 4);
    putTag(noFormat, "WAVE");
    putTag(noFormat, "data");
    put(noFormat, 2, 4);
    put(noFormat, 5, 2);
    EXPECT_FALSE(decode(noFormat));
}

// The effects are read through the platform's reader, as the images are.
TEST(ReadSmallFile, RefusesDirectoriesFifosAndFilesOverTheLimit) {
    const std::string dir = scratchPath("read_small_file");
    std::filesystem::create_directories(dir);
    const std::string fifo = dir + "/fifo.wav";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // A FIFO with no writer would block the reader for ever: it must be refused at once.
    EXPECT_TRUE(readSmallFile(fifo.c_str(), 100).empty());
    EXPECT_TRUE(readSmallFile(dir.c_str(), 100).empty());
    EXPECT_TRUE(readSmallFile((dir + "/missing.wav").c_str(), 100).empty());
    const std::string file = dir + "/ten.bin";
    std::ofstream(file, std::ios::binary) << "0123456789";
    EXPECT_TRUE(readSmallFile(file.c_str(), 9).empty());
    const std::vector<std::uint8_t> bytes = readSmallFile(file.c_str(), 10);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123456789");
}

std::vector<std::int16_t> mixed(SoundMixer& mixer, int frames) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames));
    mixer.mix(out.data(), frames);
    return out;
}

TEST(SoundMixer, OverlappingSoundsAddUpBendUnderTheRailAndEnd) {
    SoundMixer mixer;
    mixer.setSamples(SoundEffect::MissileShot, {1000, 1000, 1000});
    mixer.setSamples(SoundEffect::ShipHit, {31000, -31000});
    EXPECT_EQ(mixed(mixer, 4), (std::vector<std::int16_t>{0, 0, 0, 0}));
    mixer.play(SoundEffect::MissileShot);
    mixer.play(SoundEffect::MissileShot);
    mixer.play(SoundEffect::ShipHit);
    // 33000 and -29000: past the knee, bent below the rail, the louder still the louder.
    const std::vector<std::int16_t> loud = mixed(mixer, 2);
    EXPECT_GT(loud[0], -loud[1]);
    EXPECT_LT(loud[0], 32767);
    EXPECT_GT(-loud[1], 24576);
    EXPECT_EQ(mixed(mixer, 3), (std::vector<std::int16_t>{2000, 0, 0}));
    // An effect with no samples (its file was missing) is silence.
    mixer.play(SoundEffect::GameOver);
    EXPECT_EQ(mixed(mixer, 1000), std::vector<std::int16_t>(1000, 0));
}

TEST(SoundMixer, PastTheVoiceLimitTheOldestGivesWay) {
    SoundMixer mixer;
    mixer.setSamples(SoundEffect::EnemyShot, std::vector<std::int16_t>(10, 1));
    for (int i = 0; i < SoundMixer::kMaxVoices; ++i) {
        mixer.play(SoundEffect::EnemyShot);
    }
    mixed(mixer, 5);
    mixer.play(SoundEffect::EnemyShot);
    // One of the half-played voices made room: the rest end after five more samples, the new
    // one after ten.
    const std::vector<std::int16_t> out = mixed(mixer, 10);
    EXPECT_EQ(out[0], SoundMixer::kMaxVoices);
    EXPECT_EQ(out[5], 1);
}

TEST(SoundMixer, MutingSilencesWhatPlaysAndWhatIsAskedForUntilUnmuted) {
    SoundMixer mixer;
    mixer.setSamples(SoundEffect::Pickup, std::vector<std::int16_t>(100, 7));
    mixer.play(SoundEffect::Pickup);
    mixer.setMuted(true);
    mixer.play(SoundEffect::Pickup);
    EXPECT_EQ(mixed(mixer, 100), std::vector<std::int16_t>(100, 0));
    mixer.setMuted(false);
    mixer.play(SoundEffect::Pickup);
    EXPECT_EQ(mixed(mixer, 1), std::vector<std::int16_t>{7});
}

// Under the knee a sum is passed as it is; above it, however far, it is bent under the rail, and
// never turns back on itself.
TEST(SoftLimited, PassesTheQuietAndBendsTheLoudBelowTheRail) {
    for (const std::int32_t sum : {0, 1, -1, 2000, -24576, 24576}) {
        EXPECT_EQ(softLimited(sum), sum);
    }
    std::int16_t before = softLimited(24576);
    for (std::int32_t sum = 24577; sum < 24 * 32768; sum += 97) {
        const std::int16_t now = softLimited(sum);
        ASSERT_GE(now, before) << sum;
        ASSERT_LT(now, 32767) << sum;
        ASSERT_EQ(softLimited(-sum), -now) << sum;
        before = now;
    }
}

// The busiest mix there is: all twenty-four voices on the game's loudest effects, over the finale.
TEST(SoundMixer, TwentyFourEffectsAndTheMusicNeverReachTheRail) {
    SoundMixer mixer;
    ASSERT_EQ(mixer.loadAll("Data/Sounds"), kSoundEffectCount);
    mixer.cueMusic(MusicTheme::Finale);
    for (int i = 0; i < SoundMixer::kMaxVoices; ++i) {
        mixer.play(i % 2 == 0 ? SoundEffect::BossDestroyed : SoundEffect::ShipExplosion);
    }
    const std::vector<std::int16_t> out = mixed(mixer, kSoundSampleRate);
    const auto [low, high] = std::minmax_element(out.begin(), out.end());
    EXPECT_GT(*high, 24576);
    EXPECT_LT(*high, 32767);
    EXPECT_GT(*low, -32768);
}

TEST(SoundMixer, TheMusicPlaysUnderTheEffectsUntilMutedOrSwitchedOff) {
    SoundMixer mixer;
    mixer.setSamples(SoundEffect::Pickup, std::vector<std::int16_t>(2 * kSoundSampleRate, 7));
    mixer.cueMusic(MusicTheme::Level);
    const std::vector<std::int16_t> playing = mixed(mixer, kSoundSampleRate);
    EXPECT_GT(*std::max_element(playing.begin(), playing.end()), 1000);
    // Off, the music leaves the effects exactly as they are.
    mixer.setMusicOn(false);
    mixed(mixer, MusicPlayer::kSwitchRampSamples);
    mixer.play(SoundEffect::Pickup);
    EXPECT_EQ(mixed(mixer, 1000), std::vector<std::int16_t>(1000, 7));
    // Muted, nothing is heard, music or effects.
    mixer.setMusicOn(true);
    mixer.setMuted(true);
    EXPECT_EQ(mixed(mixer, 1000), std::vector<std::int16_t>(1000, 0));
}

TEST(SoundMixer, LoadsEveryEffectOfTheGamesDataAndNothingFromAMissingDirectory) {
    SoundMixer mixer;
    EXPECT_EQ(mixer.loadAll("Data/Sounds"), kSoundEffectCount);
    EXPECT_EQ(SoundMixer().loadAll("no/such/directory"), 0);
}

} // namespace
