// glimmerwake-sfx: synthesises every sound effect of the game into DIR as 16-bit mono WAV files.
//
//   glimmerwake-sfx --sounds DIR
//
// The output depends on nothing but this program, so rebuilding gives the same bytes.
#include "effects.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

void putLittleEndian(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

void putTag(std::vector<unsigned char>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

// The plainest WAV there is: a RIFF header, a PCM format chunk and the data chunk.
std::vector<unsigned char> wavFile(const std::vector<double>& samples) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<unsigned char> out;
    putTag(out, "RIFF");
    putLittleEndian(out, 36 + dataBytes, 4);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putLittleEndian(out, 16, 4);
    putLittleEndian(out, 1, 2); // PCM
    putLittleEndian(out, 1, 2); // mono
    putLittleEndian(out, kSoundSampleRate, 4);
    putLittleEndian(out, kSoundSampleRate * 2, 4);
    putLittleEndian(out, 2, 2);
    putLittleEndian(out, 16, 2);
    putTag(out, "data");
    putLittleEndian(out, dataBytes, 4);
    for (const double sample : samples) {
        const double clamped = sample < -1.0 ? -1.0 : sample > 1.0 ? 1.0 : sample;
        const long quantised = std::lround(clamped * 32767.0);
        putLittleEndian(out, static_cast<std::uint32_t>(static_cast<std::int16_t>(quantised)), 2);
    }
    return out;
}

bool writeFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 || std::strcmp(argv[1], "--sounds") != 0) {
        std::fprintf(stderr, "usage: %s --sounds DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[2];
    std::filesystem::create_directories(dir);
    for (int i = 0; i < kSoundEffectCount; ++i) {
        const auto effect = static_cast<SoundEffect>(i);
        const std::filesystem::path file = dir / (std::string(soundEffectName(effect)) + ".wav");
        if (!writeFile(file, wavFile(renderEffect(effect)))) {
            std::fprintf(stderr, "glimmerwake-sfx: cannot write %s\n", file.string().c_str());
            return 1;
        }
    }
    return 0;
}
