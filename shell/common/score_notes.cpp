#include "shell/common/score_notes.h"

#include "render/gl.h"
#include "render/text.h"

namespace {

// The frame's size in the units the lines are placed in.
constexpr int kFrameWidth = 1024;
constexpr int kFrameHeight = 768;
// The small font's line spacing and widest character, in pixels.
constexpr int kLineHeight = 20;
constexpr int kCharWidth = 10;

// Below the menu's Play entry, above its Quit; left of the help text.
constexpr NoteArea kMenuArea{141, 170, 400, 300};
// Below the HUD and the REPLAY mark of a watched game, left of the overlay's options, above
// the tunnel's far wall.
constexpr NoteArea kGameOverArea{24, 292, 590, 392};

// Fits `text` into the area's width: cut, with "..." at the cut.
std::string fitted(std::string text, const NoteArea& area) {
    const std::size_t most = static_cast<std::size_t>((area.right - area.left) / kCharWidth);
    if (text.size() > most) {
        text.resize(most - 3);
        text += "...";
    }
    return text;
}

std::vector<NoteLine> placed(const std::vector<std::string>& texts, const NoteArea& area) {
    std::vector<NoteLine> lines;
    int y = area.top + kLineHeight - 4;
    for (const std::string& text : texts) {
        if (y > area.bottom) {
            break;
        }
        lines.push_back(NoteLine{area.left, y, fitted(text, area)});
        y += kLineHeight;
    }
    return lines;
}

std::string modeName(const std::string& day) {
    return day.empty() ? "free play" : "daily run " + day;
}

std::string statusText(const GameOverNote& note) {
    switch (note.status) {
    case GameOverNote::Status::Checking:
        return "Checking the recording...";
    case GameOverNote::Status::Entered:
        return rankText(note.rank, note.tableLength) + " (" + modeName(note.day) + ")";
    case GameOverNote::Status::NotEntered:
        return "Not in the top " + std::to_string(kTableSize) + " of " + modeName(note.day);
    case GameOverNote::Status::Refused:
        return "Not entered: the recording did not prove it";
    case GameOverNote::Status::Unsaved:
        return "The high scores could not be written";
    case GameOverNote::Status::None:
        break;
    }
    return std::string();
}

} // namespace

std::vector<NoteLine> menuNoteLines(int freeBest, int dailyBest, const std::string& today,
                                    bool inDaily, const std::string& boardLine) {
    std::vector<std::string> texts;
    if (inDaily) {
        texts.push_back("DAILY RUN " + today);
        texts.push_back("Play starts today's game");
    } else {
        texts.push_back(freeBest > 0 ? "Best: " + std::to_string(freeBest) : "No best score yet");
        if (!today.empty()) {
            texts.push_back("[" + std::string(1, kDailyKeyName) + "] Daily run " + today);
        }
    }
    if (dailyBest > 0) {
        texts.push_back("Today's daily best: " + std::to_string(dailyBest));
    }
    if (!boardLine.empty()) {
        texts.push_back(boardLine);
    }
    return placed(texts, kMenuArea);
}

std::vector<NoteLine> gameOverNoteLines(const GameOverNote& note, const std::string& home) {
    std::vector<std::string> texts{"Final score: " + std::to_string(note.score), statusText(note)};
    if (note.status == GameOverNote::Status::Entered) {
        std::string path = note.recordingPath;
        if (!home.empty() && path.compare(0, home.size(), home) == 0) {
            path = "~/" + path.substr(home.size());
        }
        // The folder and the file on lines of their own: a path rarely fits on one.
        const std::size_t slash = path.find_last_of("/\\");
        texts.push_back("Recording: " + path.substr(slash + 1));
        texts.push_back("  in " + path.substr(0, slash + 1));
    }
    return placed(texts, kGameOverArea);
}

NoteArea menuNoteArea() {
    return kMenuArea;
}

NoteArea gameOverNoteArea() {
    return kGameOverArea;
}

void drawNoteLines(const std::vector<NoteLine>& lines) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, kFrameWidth, kFrameHeight, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glColor3f(1.0f, 0.85f, 0.35f);
    for (const NoteLine& line : lines) {
        glRasterPos2i(line.x, line.y);
        drawText(FontSmall, "%s", line.text.c_str());
    }
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}
