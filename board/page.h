#pragma once

#include <string>
#include <vector>

// The board's own page, built into the program from board/page/ so that it always matches the
// API it reads.
struct PageFile {
    const char* path; // where it is served
    const char* type;
    std::string content;
};

const std::vector<PageFile>& pageFiles();
