#include "shell/common/score_listing.h"

#include "shell/common/data_files.h"

#include <cstdio>

namespace {

void listTable(std::string& out, const ScoreStore& store, const std::string& title,
               const std::vector<ScoreEntry>& table) {
    out += title + "\n";
    int rank = 0;
    for (const ScoreEntry& entry : table) {
        const std::string path = store.recordingPath(entry.recording);
        char line[128];
        std::snprintf(line, sizeof line, "%4d. %10d  %s  frame %-7d %-20s ", ++rank, entry.score,
                      dateAndTime(entry.when).c_str(), entry.frame, milestoneText(entry).c_str());
        out += line;
        out += fileExists(path) ? path + " (game " + std::to_string(entry.game) + ")"
                                : "unverifiable: its recording " + path + " is gone";
        out += "\n";
    }
}

} // namespace

std::string scoresListing(ScoreStore& store) {
    if (store.folder().empty()) {
        return "No high scores: there is no folder to keep them in (no home folder).\n";
    }
    const ScoreTables tables = store.load();
    std::string out;
    if (tables.freePlay.empty() && tables.daily.empty()) {
        out += "No high scores yet.\n";
    }
    if (!tables.freePlay.empty()) {
        listTable(out, store, "Free play", tables.freePlay);
    }
    // The latest day first: today's run is what a player looks for.
    for (auto day = tables.daily.rbegin(); day != tables.daily.rend(); ++day) {
        out += out.empty() ? "" : "\n";
        listTable(out, store, "Daily run " + day->first, day->second);
    }
    out += "\nKept in " + store.folder() + " (watch a game with glimmerwake --watch FILE)\n";
    return out;
}
