// Reading image files on Windows: a plain file whole, and every other thing refused at once.
#include "platform/platform.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace {

namespace fs = std::filesystem;

class Win32Files : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("glimmerwake-files-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    std::string write(const char* name, const std::string& bytes) const {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    fs::path dir_;
};

TEST_F(Win32Files, APlainFileIsReadWhole) {
    const std::string bytes("\x89PNG\r\n\x1a\n\0\xff", 10);
    const std::vector<std::uint8_t> read = readSmallFile(write("image.png", bytes).c_str(), 64);
    EXPECT_EQ(std::string(read.begin(), read.end()), bytes);
}

TEST_F(Win32Files, AFileAtTheBoundIsReadAndOneBytePastItIsRefused) {
    EXPECT_EQ(readSmallFile(write("at.png", std::string(64, 'x')).c_str(), 64).size(), 64u);
    EXPECT_TRUE(readSmallFile(write("past.png", std::string(65, 'x')).c_str(), 64).empty());
}

TEST_F(Win32Files, EmptyMissingDirectoriesAndDevicesGiveNothing) {
    EXPECT_TRUE(readSmallFile(write("empty.png", "").c_str(), 64).empty());
    EXPECT_TRUE(readSmallFile((dir_ / "missing.png").string().c_str(), 64).empty());
    EXPECT_TRUE(readSmallFile(dir_.string().c_str(), 64).empty());
    // The console device: reading it would wait for someone to type.
    EXPECT_TRUE(readSmallFile("CONIN$", 64).empty());
    EXPECT_TRUE(readSmallFile("NUL", 64).empty());
}

TEST_F(Win32Files, APipeIsRefusedWithoutWaitingForAWriter) {
    const char* name = "\\\\.\\pipe\\glimmerwake-files-test";
    const HANDLE pipe =
        CreateNamedPipeA(name, PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 64, 64, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(readSmallFile(name, 64).empty());
    CloseHandle(pipe);
}

} // namespace
