#include "shell/common/data_directory.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

constexpr const char* kFromProgram = "../share/games/glimmerwake";

// A scratch tree: a working directory, and an install prefix with bin/ and the data directory.
class DataDirectory : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* tmp = std::getenv("GLIMMERWAKE_TEST_TMP");
        root = fs::path(tmp != nullptr ? tmp : fs::temp_directory_path().string()) /
               "data_directory" / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(root);
        fs::create_directories(work());
        fs::create_directories(program());
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path work() const { return root / "home"; }
    fs::path program() const { return root / "prefix" / "bin"; }
    fs::path installed() const { return root / "prefix" / "share" / "games" / "glimmerwake"; }

    static void putImages(const fs::path& dataParent) {
        fs::create_directories(dataParent / "Data");
        std::ofstream(dataParent / "Data" / "Menu.png") << "x";
    }

    std::optional<std::string> find(const std::string& programDir) const {
        return findDataRoot(work().string(), programDir, kFromProgram);
    }

    fs::path root;
};

TEST_F(DataDirectory, WorkingDirectoryFirstThenTheInstalledOne) {
    putImages(installed());
    // Installed only: the path found from the program, however the program's folder is written.
    EXPECT_EQ(find(program().string()), installed().string() + "/");
    EXPECT_EQ(find(program().string() + "/"), installed().string() + "/");
    EXPECT_EQ(find((program() / "." / ".." / "bin").string() + "/"), installed().string() + "/");
    // Both: the working directory, read through relative paths exactly as before.
    putImages(work());
    EXPECT_EQ(find(program().string()), "");
}

TEST_F(DataDirectory, AFolderCalledDataIsNotEnough) {
    putImages(installed());
    fs::create_directories(work() / "Data" / "Holiday");
    EXPECT_EQ(find(program().string()), installed().string() + "/");
}

TEST_F(DataDirectory, BrokenImagesInTheWorkingDirectoryAreStillThePlayersChoice) {
    // The loader refuses them one by one and the game runs without them, as it always did.
    putImages(installed());
    fs::create_directories(work() / "Data");
    fs::create_symlink(work() / "nowhere.png", work() / "Data" / "Menu.png");
    EXPECT_EQ(find(program().string()), "");
}

TEST_F(DataDirectory, NeitherPlaceSaysWhereItLooked) {
    EXPECT_EQ(find(program().string()), std::nullopt);
    // The program's folder unknown: only the working directory is looked at.
    EXPECT_EQ(find(""), std::nullopt);
    putImages(work());
    EXPECT_EQ(find(""), "");

    const std::string line = describeMissingData(work().string(), program().string(), kFromProgram);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_NE(line.find((work() / "Data").string()), std::string::npos) << line;
    EXPECT_NE(line.find((installed() / "Data").string()), std::string::npos) << line;
}

} // namespace
