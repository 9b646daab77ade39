#include "tests/tools/replay_run.h"

#include "tests/support/png_files.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

std::string readWhole(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void writeWhole(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A directory of its own for the running test.
std::string testDirectory() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string dir = scratchPath(std::string(test->test_suite_name()) + "." + test->name());
    std::filesystem::create_directories(dir);
    return dir;
}

// Runs the tool in `workDir` with `args`, feeding it `input` and adding `extraEnv` (NAME=VALUE)
// to its environment.
ToolRun runReplay(const std::vector<std::string>& args, const std::string& workDir,
                  const std::string& input, const std::string& extraEnv) {
    const std::string io = testDirectory() + "/run";
    writeWhole(io + ".in", input);
    std::vector<char*> argv{const_cast<char*>(GLIMMERWAKE_REPLAY)};
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    const std::string extraName = extraEnv.substr(0, extraEnv.find('=') + 1);
    std::vector<char*> envp;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (extraName.empty() || std::string(*variable).rfind(extraName, 0) != 0) {
            envp.push_back(*variable);
        }
    }
    if (!extraEnv.empty()) {
        envp.push_back(const_cast<char*>(extraEnv.c_str()));
    }
    envp.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        const int in = open((io + ".in").c_str(), O_RDONLY);
        const int out = open((io + ".out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open((io + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0 || chdir(workDir.c_str()) != 0) {
            _exit(127);
        }
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    ToolRun run;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        run.status = WEXITSTATUS(status);
    }
    run.out = readWhole(io + ".out");
    run.err = readWhole(io + ".err");
    return run;
}

// Writes the script into a fresh directory and runs the tool on it there.
ToolRun runScript(const std::string& script, const std::string& extraEnv) {
    const std::string dir = testDirectory();
    writeWhole(dir + "/game.txt", script);
    return runReplay({"game.txt"}, dir, "", extraEnv);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string rawMember(const std::string& line, const std::string& name) {
    const std::string key = "\"" + name + "\":";
    const std::size_t at = line.find(key);
    if (at == std::string::npos) {
        return "";
    }
    const std::size_t start = at + key.size();
    return line.substr(start, line.find_first_of(",}]", start) - start);
}

int intMember(const std::string& line, const std::string& name) {
    return std::atoi(rawMember(line, name).c_str());
}

bool boolMember(const std::string& line, const std::string& name) {
    return rawMember(line, name) == "true";
}
