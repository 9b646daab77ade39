#include "shell/common/settings.h"

#include <gtest/gtest.h>

namespace {

TEST(Settings, WhatIsWrittenReadsBack) {
    std::string ignored;
    Settings muted;
    muted.mute = true;
    EXPECT_TRUE(readSettings(writeSettings(muted), ignored).mute);
    EXPECT_FALSE(readSettings(writeSettings(Settings{}), ignored).mute);
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
