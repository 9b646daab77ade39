// glimmerwake-music-render: writes what the mixer plays as 16-bit mono WAV files, for the tests
// that compare the game's sound with its themes, for measuring loudness
// (bench/music_loudness.sh) and for listening.
//
//   glimmerwake-music-render themes DIR
//       DIR/THEME.wav: each theme once through (the sting with its tail), as the mixer plays it
//   glimmerwake-music-render game SOUNDS MUSIC DIR
//       a replayed game as heard, from the replay tool's --sounds and --music files, one call
//       every 10 ms: DIR/effects.wav alone, DIR/music.wav alone and DIR/mix.wav together
#include "shell/common/music_sequencer.h"
#include "shell/common/sound_mixer.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using Samples = std::vector<std::int16_t>;

// A game call lasts its 10 ms: 220.5 samples, so calls take 220 and 221 in turn.
constexpr int kCallSamplesTwice = kSoundSampleRate / 50;
// The sting is followed until its tail has died away.
constexpr int kStingTailSeconds = 4;

void put(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.put(static_cast<char>(value >> (8 * i)));
    }
}

bool writeWav(const std::string& path, const Samples& samples) {
    std::ofstream out(path, std::ios::binary);
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    put(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    put(out, 16, 4);
    put(out, 1, 2);
    put(out, 1, 2);
    put(out, kSoundSampleRate, 4);
    put(out, kSoundSampleRate * 2, 4);
    put(out, 2, 2);
    put(out, 16, 2);
    out.write("data", 4);
    put(out, dataBytes, 4);
    for (const std::int16_t s : samples) {
        put(out, static_cast<std::uint16_t>(s), 2);
    }
    return static_cast<bool>(out);
}

Samples mixed(SoundMixer& mixer, std::size_t frames) {
    Samples out(frames);
    mixer.mix(out.data(), static_cast<int>(frames));
    return out;
}

int renderThemes(const std::string& dir) {
    for (int i = 1; i < kMusicThemeCount; ++i) {
        const auto theme = static_cast<MusicTheme>(i);
        SoundMixer mixer;
        mixer.cueMusic(theme);
        std::int64_t length = compileTheme(themeScore(theme)).lengthSamples();
        if (theme == MusicTheme::GameOver) {
            length += kStingTailSeconds * kSoundSampleRate;
        }
        const std::string path = dir + "/" + musicThemeName(theme) + ".wav";
        if (!writeWav(path, mixed(mixer, static_cast<std::size_t>(length)))) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}

// Lines "CALL WORD" of a file the replay tool wrote, by call.
std::multimap<int, std::string> readCalls(const std::string& path) {
    std::multimap<int, std::string> byCall;
    std::ifstream in(path);
    int call = 0;
    std::string word;
    while (in >> call >> word) {
        byCall.emplace(call, word);
    }
    return byCall;
}

MusicTheme themeNamed(const std::string& name) {
    for (int i = 0; i < kMusicThemeCount; ++i) {
        if (name == musicThemeName(static_cast<MusicTheme>(i))) {
            return static_cast<MusicTheme>(i);
        }
    }
    return MusicTheme::Silence;
}

SoundEffect effectNamed(const std::string& name, bool& known) {
    for (int i = 0; i < kSoundEffectCount; ++i) {
        if (name == kSoundEffectNames[i]) {
            known = true;
            return static_cast<SoundEffect>(i);
        }
    }
    known = false;
    return SoundEffect::MenuMove;
}

// The game as heard with effects, music or both.
Samples replayed(const std::multimap<int, std::string>& sounds,
                 const std::multimap<int, std::string>& music, bool effects, bool withMusic) {
    SoundMixer mixer;
    mixer.loadAll("Data/Sounds");
    mixer.setMusicOn(withMusic);
    const int calls = std::max(sounds.empty() ? 0 : sounds.rbegin()->first,
                               music.empty() ? 0 : music.rbegin()->first) +
                      1;
    Samples out;
    for (int call = 0; call < calls; ++call) {
        const auto [firstTheme, endTheme] = music.equal_range(call);
        for (auto it = firstTheme; it != endTheme; ++it) {
            mixer.cueMusic(themeNamed(it->second));
        }
        const auto [firstSound, endSound] = sounds.equal_range(call);
        for (auto it = firstSound; it != endSound && effects; ++it) {
            bool known = false;
            const SoundEffect effect = effectNamed(it->second, known);
            if (known) {
                mixer.play(effect);
            }
        }
        const Samples piece = mixed(mixer, kCallSamplesTwice / 2 + call % 2);
        out.insert(out.end(), piece.begin(), piece.end());
    }
    return out;
}

int renderGame(const std::string& soundsPath, const std::string& musicPath,
               const std::string& dir) {
    const auto sounds = readCalls(soundsPath);
    const auto music = readCalls(musicPath);
    const bool written = writeWav(dir + "/effects.wav", replayed(sounds, music, true, false)) &&
                         writeWav(dir + "/music.wav", replayed(sounds, music, false, true)) &&
                         writeWav(dir + "/mix.wav", replayed(sounds, music, true, true));
    if (!written) {
        std::fprintf(stderr, "cannot write into %s\n", dir.c_str());
    }
    return written ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "themes") == 0) {
        return renderThemes(argv[2]);
    }
    if (argc == 5 && std::strcmp(argv[1], "game") == 0) {
        return renderGame(argv[2], argv[3], argv[4]);
    }
    std::fprintf(stderr, "usage: %s themes DIR | game SOUNDS MUSIC DIR\n", argv[0]);
    return 2;
}
