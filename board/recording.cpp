#include "board/recording.h"

#include <cstdio>
#include <openssl/evp.h>
#include <stdexcept>

namespace {

const char* keyName(int virtualKey) {
    for (const ScriptKey& key : kScriptKeys) {
        if (key.virtualKey == virtualKey) {
            return key.name;
        }
    }
    // The reader takes only the keys of the table.
    throw std::logic_error("a key change of no script key");
}

} // namespace

std::string canonicalRecording(const ReplayScript& script) {
    std::string out = "epoch " + std::to_string(script.epoch) + "\n";
    auto key = script.keyChanges.begin();
    auto clock = script.clockChanges.begin();
    // Key and clock changes act on different things, so their order within one call does not
    // matter; each list keeps its own order.
    while (key != script.keyChanges.end() || clock != script.clockChanges.end()) {
        const bool keyFirst = clock == script.clockChanges.end() ||
                              (key != script.keyChanges.end() && key->call <= clock->call);
        if (keyFirst) {
            out += std::to_string(key->call) + (key->down ? " down " : " up ") +
                   keyName(key->virtualKey) + "\n";
            ++key;
        } else {
            out += std::to_string(clock->call) + " clock " + std::to_string(clock->seconds) + "\n";
            ++clock;
        }
    }
    return out + "end " + std::to_string(script.calls) + "\n";
}

std::string gameHash(const ReplayScript& script, int lastCall) {
    ReplayScript upToGameEnd;
    upToGameEnd.epoch = script.epoch;
    for (const KeyChange& change : script.keyChanges) {
        if (change.call <= lastCall) {
            upToGameEnd.keyChanges.push_back(change);
        }
    }
    for (const ClockChange& change : script.clockChanges) {
        if (change.call <= lastCall) {
            upToGameEnd.clockChanges.push_back(change);
        }
    }
    upToGameEnd.calls = lastCall + 1;
    return recordingHash(canonicalRecording(upToGameEnd));
}

std::string recordingHash(const std::string& text) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(text.data(), text.size(), digest, &length, EVP_sha256(), nullptr) != 1) {
        throw std::runtime_error("SHA-256 failed");
    }
    std::string hex;
    for (unsigned int i = 0; i < length; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        hex += pair;
    }
    return hex;
}
