#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// glimmerwake-board's command line.
struct BoardOptions {
    std::string dataFolder;  // SQLite in this folder
    std::string databaseUrl; // or PostgreSQL here
    std::string host = "127.0.0.1";
    int port = 8080;
    std::string siteFolder;
    std::size_t maxBodyBytes = std::size_t{1} << 20;
    int maxCalls = 0;  // set from board/calendar.h's kMaxCalls
    int verifiers = 0; // 0: one per core
    int waiting = 0;   // 0: four per verifier
    int workerCpuSeconds = 10;
    std::size_t workerMemoryMiB = 1024; // 0: no limit
    int uploadsPerMinute = 6;
    int uploadBurst = 10;
    bool trustForwardedFor = false;
    bool verifyWorker = false; // the child that verifies one recording
    bool help = false;
    bool version = false;
};

extern const char kBoardUsage[];

// The options, or nothing with `error` saying what is wrong.
std::optional<BoardOptions> parseBoardOptions(const std::vector<std::string>& arguments,
                                              std::string& error);
