// Where a shot may be written: the rules that keep a recording from a stranger away from the
// player's files.
#include "shell/common/rgb_png.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

// A folder of the running test's own: ctest runs the tests side by side.
std::string scratchFolder() {
    const char* const tmp = std::getenv("GLIMMERWAKE_TEST_TMP");
    const std::filesystem::path folder =
        std::filesystem::path(tmp != nullptr ? tmp : "/tmp") / "shot-files" /
        testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::vector<std::uint8_t> kBlackPicture(std::size_t{4} * 3 * 3);

} // namespace

TEST(ShotFiles, OnlyPlainPngNamesStayInTheirFolder) {
    for (const char* plain : {"a.png", "menu-1_after.F2.png", "0.png"}) {
        EXPECT_TRUE(isPlainPngName(plain)) << plain;
    }
    for (const char* hostile : {"", ".png", "../a.png", "/tmp/a.png", "a/b.png", ".hidden.png",
                                "a.png.sh", "a b.png", "a\\\\b.png", "a.PNG", "..", "a\\n.png"}) {
        EXPECT_FALSE(isPlainPngName(hostile)) << hostile;
    }
    EXPECT_FALSE(isPlainPngName(std::string(200, 'a') + ".png"));
}

TEST(ShotFiles, ANewShotOnlyNeverReplacesAFile) {
    const std::string folder = scratchFolder();
    const std::string path = folder + "/shot.png";
    std::string why;
    ASSERT_TRUE(writeRgbPng(path.c_str(), 4, 3, kBlackPicture, ShotTarget::NewOnly, why)) << why;
    const std::string first = contentsOf(path);
    EXPECT_FALSE(writeRgbPng(path.c_str(), 4, 3, kBlackPicture, ShotTarget::NewOnly, why));
    EXPECT_EQ(why, "a file of that name is there already");
    EXPECT_EQ(contentsOf(path), first);
}

TEST(ShotFiles, AShotReplacesAPictureButNoOtherFile) {
    const std::string folder = scratchFolder();
    const std::string notes = folder + "/notes.png";
    std::ofstream(notes) << "not a picture";
    std::string why;
    EXPECT_FALSE(writeRgbPng(notes.c_str(), 4, 3, kBlackPicture, ShotTarget::NewOrPng, why));
    EXPECT_EQ(contentsOf(notes), "not a picture");

    const std::string picture = folder + "/picture.png";
    ASSERT_TRUE(writeRgbPng(picture.c_str(), 4, 3, kBlackPicture, ShotTarget::NewOrPng, why));
    EXPECT_TRUE(writeRgbPng(picture.c_str(), 4, 3, kBlackPicture, ShotTarget::NewOrPng, why))
        << why;
    const std::string bytes = contentsOf(picture);
    EXPECT_TRUE(startsLikePng(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    EXPECT_FALSE(writeRgbPng(folder.c_str(), 4, 3, kBlackPicture, ShotTarget::NewOrPng, why));
}
