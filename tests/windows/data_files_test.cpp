// The player's files on Windows: a file is replaced whole, set aside without ever taking another's
// name, read only when it is a file on a disk, and the data folder is %APPDATA%\Glimmerwake\.
#include "shell/common/data_files.h"
#include "shell/common/user_data.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <windows.h>

namespace {

namespace fs = std::filesystem;

class Win32DataFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("glimmerwake-data-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    std::string path(const char* name) const { return (dir_ / name).string(); }
    static std::string contentsOf(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }
    int filesInFolder() const {
        return static_cast<int>(std::distance(fs::directory_iterator(dir_), {}));
    }
    fs::path dir_;
};

TEST_F(Win32DataFiles, AReplacedFileHoldsTheNewBytesExactlyAndNothingIsLeftBeside) {
    const std::string file = path("scores.txt");
    std::string error;
    ASSERT_TRUE(replaceFile(file, "old\n", error)) << error;
    // Newlines stay newlines: the tables have the same bytes as on Linux.
    ASSERT_TRUE(replaceFile(file, std::string("new\nline\0x", 10), error)) << error;
    EXPECT_EQ(contentsOf(file), std::string("new\nline\0x", 10));
    EXPECT_EQ(filesInFolder(), 1);
}

TEST_F(Win32DataFiles, AFileSetAsideNeverTakesTheNameOfOneSetAsideBefore) {
    const std::string file = path("settings.txt");
    std::string error;
    std::string first;
    std::string second;
    ASSERT_TRUE(replaceFile(file, "first", error)) << error;
    ASSERT_TRUE(setFileAside(file, first, error)) << error;
    ASSERT_TRUE(replaceFile(file, "second", error)) << error;
    ASSERT_TRUE(setFileAside(file, second, error)) << error;
    EXPECT_NE(first, second);
    EXPECT_EQ(contentsOf(first), "first");
    EXPECT_EQ(contentsOf(second), "second");
    EXPECT_FALSE(fileExists(file));
}

TEST_F(Win32DataFiles, ReadsRefuseWhatIsNoFileOnADiskAndWhatIsTooLarge) {
    std::string contents;
    std::string error;
    EXPECT_EQ(readDataFile(path("missing.txt"), 100, contents, error), FileRead::Missing);
    EXPECT_EQ(readDataFile(path("no-folder\\missing.txt"), 100, contents, error),
              FileRead::Missing);
    // A device would never end, or never answer.
    EXPECT_EQ(readDataFile("NUL", 100, contents, error), FileRead::Failed);
    EXPECT_EQ(readDataFile(dir_.string(), 100, contents, error), FileRead::Failed);
    EXPECT_FALSE(fileExists(dir_.string()));

    ASSERT_TRUE(replaceFile(path("table.txt"), std::string(101, 'x'), error)) << error;
    EXPECT_EQ(readDataFile(path("table.txt"), 100, contents, error), FileRead::TooLarge);
    EXPECT_TRUE(contents.empty());
    EXPECT_EQ(readDataFile(path("table.txt"), 101, contents, error), FileRead::Read);
    EXPECT_EQ(contents, std::string(101, 'x'));
}

TEST_F(Win32DataFiles, FoldersAreMadeWithTheirParentsButNotOverAFile) {
    std::string error;
    EXPECT_TRUE(makeFolders(path("a\\b\\c"), error)) << error;
    EXPECT_TRUE(fs::is_directory(path("a\\b\\c")));
    ASSERT_TRUE(replaceFile(path("plain"), "x", error)) << error;
    EXPECT_FALSE(makeFolders(path("plain"), error));
    EXPECT_FALSE(error.empty());
}

TEST_F(Win32DataFiles, TheLockIsHeldUntilItsOwnerGoes) {
    std::string error;
    auto first = std::make_unique<DataLock>();
    ASSERT_TRUE(first->acquire(path("lock"), error)) << error;
    // Another game's attempt waits while the first holds it.
    HANDLE other =
        CreateFileA(path("lock").c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    OVERLAPPED whole{};
    EXPECT_FALSE(LockFileEx(other, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                            MAXDWORD, &whole));
    first.reset();
    EXPECT_TRUE(LockFileEx(other, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                           MAXDWORD, &whole));
    CloseHandle(other);
}

TEST(Win32UserData, ThePlayersFolderIsGlimmerwakeInTheRoamingApplicationData) {
    const std::string folder = userDataDirectory();
    const char* const appData = std::getenv("APPDATA");
    ASSERT_NE(appData, nullptr);
    EXPECT_EQ(folder, std::string(appData) + "\\Glimmerwake\\");
}

} // namespace
