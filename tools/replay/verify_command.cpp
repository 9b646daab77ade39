#include "tools/replay/verify_command.h"

#include "replay/script.h"
#include "replay/verify.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

namespace {

constexpr int kExitProved = 0;
constexpr int kExitNotProved = 1;
constexpr int kExitUnreadable = 2;

// The whole recording, at most the most any script may be; nothing when it cannot be read.
std::optional<std::string> readRecording(const std::string& name) {
    std::ifstream file;
    std::istream* in = &std::cin;
    if (name != "-") {
        file.open(name, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "%s: cannot open the recording: %s\n", name.c_str(),
                         std::strerror(errno));
            return std::nullopt;
        }
        in = &file;
    }
    std::string text;
    char buffer[65536];
    while (in->read(buffer, sizeof buffer) || in->gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in->gcount()));
        if (text.size() > kMaxScriptBytes) {
            std::fprintf(stderr, "%s: larger than any recording (%zu bytes at most)\n",
                         name.c_str(), kMaxScriptBytes);
            return std::nullopt;
        }
    }
    if (in->bad()) {
        std::fprintf(stderr, "%s: cannot read the recording\n", name.c_str());
        return std::nullopt;
    }
    return text;
}

// A score as the game keeps it: decimal digits, no sign.
std::optional<int> readClaim(const char* word) {
    int score = 0;
    const char* const end = word + std::strlen(word);
    const auto [stop, error] = std::from_chars(word, end, score);
    if (word == end || *word < '0' || *word > '9' || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return score;
}

} // namespace

int runVerify(int count, const char* const* words) {
    std::optional<int> claim;
    if (count == 3 && std::strcmp(words[1], "--claim") == 0) {
        claim = readClaim(words[2]);
        if (!claim) {
            std::fprintf(stderr, "glimmerwake-replay: --claim needs a score, not '%s'\n", words[2]);
            return kExitUnreadable;
        }
    } else if (count != 1) {
        std::fputs("usage: glimmerwake-replay --verify FILE [--claim SCORE]\n", stderr);
        return kExitUnreadable;
    }
    const std::string name = words[0];
    const std::optional<std::string> recording = readRecording(name);
    if (!recording) {
        return kExitUnreadable;
    }
    Verification verification;
    std::string error;
    if (!verifyRecording(*recording, VerifyLimits{}, verification, error)) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
        return kExitUnreadable;
    }
    bool proved = !claim.has_value();
    for (const VerifiedGame& game : verification.games) {
        std::printf("%s\n", verifiedGameJson(game).c_str());
        proved = proved || game.score == *claim;
    }
    if (std::fflush(stdout) != 0) {
        std::fprintf(stderr, "glimmerwake-replay: cannot write: %s\n", std::strerror(errno));
        return kExitUnreadable;
    }
    return proved ? kExitProved : kExitNotProved;
}
