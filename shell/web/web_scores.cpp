#include "shell/web/web_scores.h"

#include "shell/common/score_table.h"
#include "shell/common/scored_play.h"

#include <emscripten.h>

// shell/web/web_library.js
extern "C" void webScoresChanged(const char* tables, int rank);

namespace {

struct PageScores {
    ScoreTables tables;
    std::string recordingName;
};

PageScores& pageScores() {
    static PageScores scores;
    return scores;
}

std::string& textOut() {
    static std::string text;
    return text;
}

// One entry as a JSON object: numbers and the table's own texts, which hold nothing to escape.
void appendEntryJson(std::string& out, const ScoreEntry& entry) {
    out += "{\"score\":" + std::to_string(entry.score) + ",\"when\":\"" + dateAndTime(entry.when) +
           "\",\"frame\":" + std::to_string(entry.frame) + ",\"milestones\":\"" +
           milestoneText(entry) + "\",\"recording\":\"" + entry.recording +
           "\",\"game\":" + std::to_string(entry.game) + "}";
}

} // namespace

void startPageRun(std::int64_t startSeconds, long instance) {
    pageScores().recordingName = "glimmerwake-" + runNameOf(startSeconds, instance) + ".replay";
}

const std::string& pageRecordingName() {
    return pageScores().recordingName;
}

void enterProvedGame(const VerifiedGame& game, std::int64_t when) {
    PageScores& scores = pageScores();
    ScoreEntry entry;
    entry.score = game.score;
    entry.when = when;
    entry.frame = game.frame;
    entry.bossDestroyed = game.bossDestroyed;
    entry.swarmDestroyed = game.swarmDestroyed;
    entry.endlessReached = game.endlessReached;
    entry.recording = scores.recordingName;
    entry.game = game.index;
    const int rank = placeInTables(scores.tables, "", entry);
    if (rank > 0) {
        webScoresChanged(writeTables(scores.tables).c_str(), rank);
    }
}

extern "C" {

// The tables the page kept, `length` bytes of whatever the browser's storage held: read as
// strictly as the desktop reads its file. Returns "" when they were read, else why they cannot
// be, and the page starts an empty table (setting the text it had aside).
EMSCRIPTEN_KEEPALIVE const char* webLoadScores(const char* text, int length) {
    std::string& out = textOut();
    out.clear();
    if (length < 0 || static_cast<std::size_t>(length) > kMaxTableBytes) {
        out = "the table is larger than any the game writes";
        return out.c_str();
    }
    ScoreTables tables;
    std::string error;
    switch (readTables(std::string_view(text, static_cast<std::size_t>(length)), tables, error)) {
    case TableRead::Read:
        pageScores().tables = std::move(tables);
        break;
    case TableRead::Corrupt:
        out = error.empty() ? "it cannot be read" : error;
        break;
    case TableRead::Newer:
        out = "a later version of the game wrote it";
        break;
    }
    return out.c_str();
}

// Free play's table, best first, as a JSON list the page shows.
EMSCRIPTEN_KEEPALIVE const char* webScoresJson() {
    std::string& out = textOut();
    out = "[";
    for (const ScoreEntry& entry : tableOf(pageScores().tables, "")) {
        if (out.size() > 1) {
            out += ',';
        }
        appendEntryJson(out, entry);
    }
    out += ']';
    return out.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* webRecordingName() {
    return pageRecordingName().c_str();
}

} // extern "C"
