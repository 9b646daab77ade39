// Feeds arbitrary bytes to the game's PNG decoder, the path every image from Data/ takes.
//
// libpng itself is the system's build, not instrumented, so the fuzzer sees little of the code it
// exercises. Two things make up for that: the mutator keeps chunk checksums right (otherwise
// nearly every mutation dies on the first one) and now and then mutates the inflated pixel rows
// instead of the compressed bytes; and each input's header fields, chunk kinds and outcome are
// counted as extra coverage, so that an input reaching a new kind of image is kept.

#include "render/png_image.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>
#include <zlib.h>

extern "C" size_t LLVMFuzzerMutate(std::uint8_t* data, size_t size, size_t maxSize);

namespace {

// Large enough for every image the game ships, small enough that a header alone cannot make the
// decoder allocate more than 16 MiB.
constexpr int kMaxDimension = 2048;
// Inflated pixel rows the mutator will take apart and put back together.
constexpr std::size_t kMaxInflated = 1 << 20;

constexpr std::size_t kSignatureSize = 8;
// Length, kind and checksum around each chunk's data.
constexpr std::size_t kChunkOverhead = 12;

std::uint32_t read32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

void write32(std::uint8_t* p, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
    }
}

struct Chunk {
    std::size_t offset; // of its length field
    std::uint32_t length;
    bool isImageData;
};

// The chunks that lie wholly inside the input, in file order; a damaged length ends the list.
std::vector<Chunk> chunksOf(const std::uint8_t* data, std::size_t size) {
    std::vector<Chunk> chunks;
    std::size_t offset = kSignatureSize;
    while (size >= kChunkOverhead && offset <= size - kChunkOverhead) {
        const std::uint32_t length = read32(data + offset);
        if (length > size - kChunkOverhead - offset) {
            break;
        }
        chunks.push_back({offset, length, std::memcmp(data + offset + 4, "IDAT", 4) == 0});
        offset += kChunkOverhead + length;
    }
    return chunks;
}

void repairChecksums(std::uint8_t* data, std::size_t size) {
    for (const Chunk& chunk : chunksOf(data, size)) {
        const std::uint8_t* typed = data + chunk.offset + 4;
        write32(data + chunk.offset + 8 + chunk.length,
                static_cast<std::uint32_t>(crc32(0, typed, 4 + chunk.length)));
    }
}

bool inflateAll(const std::vector<std::uint8_t>& compressed, std::vector<std::uint8_t>& out) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) {
        return false;
    }
    out.resize(kMaxInflated);
    stream.next_in = const_cast<Bytef*>(compressed.data());
    stream.avail_in = static_cast<uInt>(compressed.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    inflateEnd(&stream);
    return result == Z_STREAM_END;
}

// Replaces all image data with one IDAT chunk holding the pixel rows inflated, mutated and
// compressed again, so that the decoder gets a sound stream of unsound rows: rows too short or
// too long, unknown filter bytes, palette indices past the palette. Returns the new size, or 0
// when the input has no image data to work on or the result would not fit.
std::size_t mutateImageData(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                            std::minstd_rand& random) {
    const std::vector<Chunk> chunks = chunksOf(data, size);
    std::vector<std::uint8_t> compressed;
    std::size_t first = 0;
    std::size_t last = 0;
    for (const Chunk& chunk : chunks) {
        if (chunk.isImageData) {
            if (compressed.empty()) {
                first = chunk.offset;
            }
            const std::uint8_t* payload = data + chunk.offset + 8;
            compressed.insert(compressed.end(), payload, payload + chunk.length);
            last = chunk.offset + kChunkOverhead + chunk.length;
        }
    }
    std::vector<std::uint8_t> rows;
    if (compressed.empty() || !inflateAll(compressed, rows)) {
        return 0;
    }
    const std::size_t used = rows.size();
    rows.resize(std::min(kMaxInflated, used * 2 + 16));
    rows.resize(LLVMFuzzerMutate(rows.data(), used, rows.size()));

    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::vector<std::uint8_t> packed(packedSize);
    const int level = static_cast<int>(random() % 10);
    if (compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()),
                  level) != Z_OK) {
        return 0;
    }
    packed.resize(packedSize);

    // Everything up to the first IDAT, the new one, everything after the last one: whatever lay
    // between IDAT chunks goes with them.
    std::vector<std::uint8_t> out(data, data + first);
    out.resize(first + 8);
    write32(out.data() + first, static_cast<std::uint32_t>(packed.size()));
    std::memcpy(out.data() + first + 4, "IDAT", 4);
    out.insert(out.end(), packed.begin(), packed.end());
    out.resize(out.size() + 4); // checksum, repaired afterwards
    out.insert(out.end(), data + last, data + size);
    if (out.size() > maxSize) {
        return 0;
    }
    std::memcpy(data, out.data(), out.size());
    return out.size();
}

// Extra coverage counters: libFuzzer keeps an input that raises one it has not seen raised.
constexpr std::size_t kShapeCounters = 2 * 8 * 32 * 2; // decoded, colour type, bit depth, interlace
constexpr std::size_t kChunkCounters = 256;
__attribute__((section("__libfuzzer_extra_counters")))
std::array<std::uint8_t, kShapeCounters + kChunkCounters>
    extraCounters;

void countCoverage(const std::uint8_t* data, std::size_t size, bool decoded) {
    const std::vector<Chunk> chunks = chunksOf(data, size);
    if (!chunks.empty() && chunks[0].length >= 13) {
        const std::uint8_t* header = data + chunks[0].offset + 8;
        const std::size_t shape =
            ((std::size_t{decoded} * 8 + (header[9] & 7)) * 32 + (header[8] & 31)) * 2 +
            (header[12] & 1);
        ++extraCounters[shape];
    }
    for (const Chunk& chunk : chunks) {
        const std::uint8_t* kind = data + chunk.offset + 4;
        const std::uint32_t hash = read32(kind) * 2654435761u;
        ++extraCounters[kShapeCounters + (hash >> 24)];
    }
}

} // namespace

extern "C" size_t LLVMFuzzerCustomMutator(std::uint8_t* data, size_t size, size_t maxSize,
                                          unsigned int seed) {
    std::minstd_rand random(seed);
    std::size_t mutated = 0;
    if (random() % 4 == 0) {
        mutated = mutateImageData(data, size, maxSize, random);
    }
    if (mutated == 0) {
        mutated = LLVMFuzzerMutate(data, size, maxSize);
    }
    // Now and then a checksum stays wrong, so that the decoder's refusal of one is tried too.
    if (random() % 8 != 0) {
        repairChecksums(data, mutated);
    }
    return mutated;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::optional<RgbaImage> image = decodePng(data, size, kMaxDimension);
    if (image) {
        // What the texture loader relies on: a size inside the bound, and exactly one RGBA pixel
        // for every place in it.
        const bool sound = image->width > 0 && image->width <= kMaxDimension && image->height > 0 &&
                           image->height <= kMaxDimension &&
                           image->pixels.size() == std::size_t(image->width) * image->height * 4;
        if (!sound) {
            std::abort();
        }
    }
    countCoverage(data, size, image.has_value());
    return 0;
}
