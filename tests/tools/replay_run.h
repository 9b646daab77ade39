#pragma once

// Runs the built glimmerwake-replay as a user would and reads what it prints.
#include <string>
#include <vector>

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readWhole(const std::string& path);
void writeWhole(const std::string& path, const std::string& text);

// A directory of its own for the running test.
std::string testDirectory();

// Runs the tool in `workDir` with `args`, feeding it `input` and adding `extraEnv` (NAME=VALUE)
// to its environment.
ToolRun runReplay(const std::vector<std::string>& args, const std::string& workDir,
                  const std::string& input = "", const std::string& extraEnv = "");

// Writes the script into a fresh directory and runs the tool on it there.
ToolRun runScript(const std::string& script, const std::string& extraEnv = "");

std::vector<std::string> linesOf(const std::string& text);
bool holds(const std::string& text, const std::string& part);

// The value after `"name":` in a trace line, as text (the first member of that name); empty when
// there is none.
std::string rawMember(const std::string& line, const std::string& name);
int intMember(const std::string& line, const std::string& name);
bool boolMember(const std::string& line, const std::string& name);
