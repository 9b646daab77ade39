#include "shell/common/sound_mixer.h"

#include "platform/platform.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kMono = 1;
constexpr std::uint16_t kBitsPerSample = 16;
constexpr std::size_t kFormatChunkBytes = 16;
constexpr std::size_t kChunkHeaderBytes = 8;
constexpr std::size_t kRiffHeaderBytes = 12;

// The soft knee of the mix: where it starts and the ceiling it bends towards.
constexpr std::int32_t kKnee = 24576;
constexpr float kCeiling = 32000.0f;
// The music's full level in 16-bit units, chosen by loudness (bench/README.md): the themes sit
// about nine LU under the effects of a game.
constexpr float kMusicFullScale = 5000.0f;
// Summed a block at a time on the stack: the audio thread allocates nothing.
constexpr int kMixBlock = 256;

std::uint32_t readLittleEndian(const unsigned char* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = value << 8 | p[i];
    }
    return value;
}

bool formatIsOurs(const unsigned char* chunk, std::size_t size) {
    return size >= kFormatChunkBytes && readLittleEndian(chunk, 2) == kFormatPcm &&
           readLittleEndian(chunk + 2, 2) == kMono &&
           readLittleEndian(chunk + 4, 4) == static_cast<std::uint32_t>(kSoundSampleRate) &&
           readLittleEndian(chunk + 14, 2) == kBitsPerSample;
}

} // namespace

std::optional<std::vector<std::int16_t>> decodeWav(const unsigned char* bytes, std::size_t size) {
    if (size < kRiffHeaderBytes || std::memcmp(bytes, "RIFF", 4) != 0 ||
        std::memcmp(bytes + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    bool formatSeen = false;
    std::size_t at = kRiffHeaderBytes;
    // Chunks are walked with every length checked against what is left, so no length in the
    // file can send a read past its end.
    while (size - at >= kChunkHeaderBytes) {
        const unsigned char* header = bytes + at;
        const std::size_t length = readLittleEndian(header + 4, 4);
        const std::size_t left = size - at - kChunkHeaderBytes;
        if (length > left) {
            return std::nullopt;
        }
        const unsigned char* body = header + kChunkHeaderBytes;
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (!formatIsOurs(body, length)) {
                return std::nullopt;
            }
            formatSeen = true;
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (!formatSeen || length % 2 != 0) {
                return std::nullopt;
            }
            std::vector<std::int16_t> samples(length / 2);
            for (std::size_t i = 0; i < samples.size(); ++i) {
                samples[i] = static_cast<std::int16_t>(readLittleEndian(body + 2 * i, 2));
            }
            return samples;
        }
        // Chunks are padded to an even length.
        at += kChunkHeaderBytes + length + (length & 1);
        if (at > size) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

int SoundMixer::loadAll(const std::string& directory) {
    int loaded = 0;
    for (int i = 0; i < kSoundEffectCount; ++i) {
        const auto effect = static_cast<SoundEffect>(i);
        const std::string path = directory + "/" + soundEffectName(effect) + ".wav";
        // Through the platform's reader, which never waits on a FIFO or reads a device.
        const std::vector<std::uint8_t> bytes = readSmallFile(path.c_str(), kMaxFileBytes);
        auto samples = decodeWav(bytes.data(), bytes.size());
        if (samples) {
            setSamples(effect, std::move(*samples));
            ++loaded;
        }
    }
    return loaded;
}

void SoundMixer::setSamples(SoundEffect effect, std::vector<std::int16_t> samples) {
    const std::lock_guard<std::mutex> lock(mutex_);
    // A voice of the old samples would read past the new ones.
    voices_.erase(
        std::remove_if(voices_.begin(), voices_.end(),
                       [&](const Voice& v) { return v.effect == static_cast<int>(effect); }),
        voices_.end());
    samples_[static_cast<int>(effect)] = std::move(samples);
}

void SoundMixer::play(SoundEffect effect) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const int index = static_cast<int>(effect);
    if (muted_ || index < 0 || index >= kSoundEffectCount || samples_[index].empty()) {
        return;
    }
    if (voices_.size() >= static_cast<std::size_t>(kMaxVoices)) {
        // The voice furthest on has the least left to say.
        const auto oldest =
            std::max_element(voices_.begin(), voices_.end(), [](const Voice& a, const Voice& b) {
                return a.position < b.position;
            });
        voices_.erase(oldest);
    }
    voices_.push_back(Voice{index, 0});
}

void SoundMixer::setMuted(bool muted) {
    const std::lock_guard<std::mutex> lock(mutex_);
    muted_ = muted;
    if (muted) {
        voices_.clear();
    }
}

bool SoundMixer::muted() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return muted_;
}

std::int16_t softLimited(std::int32_t sum) {
    const std::int32_t size = sum < 0 ? -sum : sum;
    if (size <= kKnee) {
        return static_cast<std::int16_t>(sum);
    }
    const float room = kCeiling - kKnee;
    const float over = static_cast<float>(size - kKnee) / room;
    const auto bent = static_cast<std::int32_t>(kKnee + room * over / (1.0f + over));
    return static_cast<std::int16_t>(sum < 0 ? -bent : bent);
}

void SoundMixer::mix(std::int16_t* out, int frames) {
    for (int done = 0; done < frames; done += kMixBlock) {
        const int count = std::min(kMixBlock, frames - done);
        std::array<std::int32_t, kMixBlock> sum{};
        addVoices(sum.data(), count);
        if (!muted()) {
            addMusic(sum.data(), count);
        }
        for (int i = 0; i < count; ++i) {
            out[done + i] = softLimited(sum[i]);
        }
    }
}

void SoundMixer::addMusic(std::int32_t* sum, int frames) {
    std::array<float, kMixBlock> music{};
    music_.render(music.data(), frames);
    for (int i = 0; i < frames; ++i) {
        sum[i] += static_cast<std::int32_t>(std::lround(music[i] * kMusicFullScale));
    }
}

void SoundMixer::addVoices(std::int32_t* sum, int frames) {
    const std::lock_guard<std::mutex> lock(mutex_);
    for (Voice& voice : voices_) {
        const std::vector<std::int16_t>& samples = samples_[voice.effect];
        const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(frames),
                                                        samples.size() - voice.position);
        for (std::size_t i = 0; i < count; ++i) {
            sum[i] += samples[voice.position + i];
        }
        voice.position += count;
    }
    voices_.erase(
        std::remove_if(voices_.begin(), voices_.end(),
                       [&](const Voice& v) { return v.position >= samples_[v.effect].size(); }),
        voices_.end());
}
