#include "shell/common/settings.h"

#include <gtest/gtest.h>

namespace {

TEST(Settings, WhatIsWrittenReadsBack) {
    std::string ignored;
    Settings muted;
    muted.mute = true;
    EXPECT_TRUE(readSettings(writeSettings(muted), ignored).mute);
    EXPECT_FALSE(readSettings(writeSettings(Settings{}), ignored).mute);
    // The music plays unless the file says otherwise.
    EXPECT_TRUE(readSettings("", ignored).music);
    Settings quiet;
    quiet.music = false;
    EXPECT_FALSE(readSettings(writeSettings(quiet), ignored).music);
    EXPECT_EQ(ignored, "");
}

TEST(Settings, UnknownOrWrongLinesAreLeftOutAndListed) {
    std::string ignored;
    const Settings read =
        readSettings("# a comment\n\nvolume=7\nmute=yes\nmute=1\r\nmute\n", ignored);
    EXPECT_TRUE(read.mute);
    EXPECT_EQ(ignored, "volume=7\nmute=yes\nmute\n");
    // Bytes that could drive a terminal are not quoted back.
    readSettings("mute=\x1b[2J\n", ignored);
    EXPECT_EQ(ignored, "a line that is not text\n");
    EXPECT_FALSE(readSettings(std::string(kMaxSettingsBytes + 1, 'x'), ignored).mute);
    EXPECT_NE(ignored, "");
}

} // namespace

namespace {

TEST(Settings, TheBoardIsOffUntilChosenAndItsNameIsKept) {
    std::string ignored;
    const Settings fresh = readSettings("", ignored);
    EXPECT_EQ(fresh.board, "");
    EXPECT_EQ(fresh.name, "Pilot");
    Settings chosen;
    chosen.board = "https://board.example.org";
    chosen.name = "Zoë <b>";
    const Settings read = readSettings(writeSettings(chosen), ignored);
    EXPECT_EQ(read.board, chosen.board);
    EXPECT_EQ(read.name, chosen.name);
    EXPECT_EQ(ignored, "");
}

TEST(Settings, AHandEditedNameLosesItsBlanksAndAnEmptyOneIsThePilot) {
    std::string ignored;
    EXPECT_EQ(readSettings("name=  Ann Lee \n", ignored).name, "Ann Lee");
    EXPECT_EQ(readSettings("name=\n", ignored).name, "Pilot");
    EXPECT_EQ(readSettings("name=   \nboard=\n", ignored).name, "Pilot");
    EXPECT_EQ(readSettings("board= http://127.0.0.1:8080 \n", ignored).board,
              "http://127.0.0.1:8080");
    EXPECT_EQ(ignored, "");
}

} // namespace
