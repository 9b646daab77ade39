// Feeds arbitrary bytes to the high-score file's reader, and checks that what it accepts is a
// table the game could have written (it writes it back byte for byte) and that what it refuses
// comes with a short message that cannot drive a terminal.

#include "shell/common/score_table.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

constexpr std::size_t kMaxMessageLength = 200;

bool isPrintable(const std::string& message) {
    return std::none_of(message.begin(), message.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

bool isWellFormed(const std::vector<ScoreEntry>& table) {
    if (table.empty() || table.size() > kTableSize) {
        return false;
    }
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].score <= 0 || table[i].game <= 0 || !isRecordingName(table[i].recording) ||
            (i > 0 && !ranksAbove(table[i - 1], table[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ScoreTables tables;
    std::string error;
    const TableRead outcome = readTables(text, tables, error);
    if (outcome != TableRead::Read) {
        if (error.empty() || error.size() > kMaxMessageLength || !isPrintable(error) ||
            !tables.freePlay.empty() || !tables.daily.empty()) {
            std::abort();
        }
        return 0;
    }
    if ((!tables.freePlay.empty() && !isWellFormed(tables.freePlay)) ||
        tables.daily.size() > kMaxDays || writeTables(tables) != text) {
        std::abort();
    }
    for (const auto& [day, table] : tables.daily) {
        if (!isDayName(day) || !isWellFormed(table)) {
            std::abort();
        }
    }
    return 0;
}
