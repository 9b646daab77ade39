// Runs the built glimmerwake-replay as a user would, on scripts written here, and reads what it
// prints and the shots it writes.
#include "tests/support/png_files.h"
#include "tests/tools/replay_run.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <png.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    // Pixels of the rectangle in the title's red, (0.8, 0, 0).
    int titleRed(int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const std::uint8_t* p = &rgb[(std::size_t(y) * width + x) * 3];
                n += std::abs(p[0] - 204) <= 3 && p[1] <= 3 && p[2] <= 3 ? 1 : 0;
            }
        }
        return n;
    }
};

RgbImage readPng(const std::string& path) {
    RgbImage image;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&png, path.c_str()) == 0) {
        return image;
    }
    png.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(png));
    if (png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr) != 0) {
        image = {int(png.width), int(png.height), std::move(pixels)};
    }
    return image;
}

// Where the menu puts its title "Glimmerwake" on a 1024 x 768 screen, from the top.
constexpr int kTitleLeft = 400, kTitleTop = 20, kTitleRight = 570, kTitleBottom = 50;

} // namespace

TEST(ReplayTool, ChoosingQuitEndsTheTraceWithTheCallThatAsksToQuit) {
    // Down is seen only once it has been up for a menu frame; the first menu frame is call 1.
    const ToolRun run = runScript("2 down DOWN\n3 up DOWN\n4 down RETURN\nend 100\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 6u) << run.out;
    EXPECT_TRUE(holds(lines[3], "\"state\":\"Menu\"")) << lines[3];
    EXPECT_TRUE(holds(lines[3], "\"menu\":{\"selection\":1,\"play\":false,\"quit\":false}"));
    EXPECT_TRUE(holds(lines[4], "\"state\":\"Quit\"")) << lines[4];
    EXPECT_TRUE(holds(lines[4], "\"quit\":true}"));
    // Call 5 runs in the Quit state, asks to quit and is the last one printed.
    EXPECT_EQ(lines[5].rfind("{\"call\":5,\"state\":\"Quit\",", 0), 0u) << lines[5];
}

TEST(ReplayTool, EveryMemberIsThereFromTheFirstCall) {
    const ToolRun run = runScript("end 1\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "{\"call\":0,\"state\":\"Menu\",\"frame\":0,\"paused\":false,\"over\":false,"
              "\"prompt\":0,\"bossHp\":0,\"bossDefeated\":false,\"endless\":false,"
              "\"intervals\":[120,220,280,340,90],"
              "\"menu\":{\"selection\":0,\"play\":false,\"quit\":false},"
              "\"ship\":{\"angle\":0,\"lives\":5,\"score\":0,\"weapon\":1,\"highest\":1,"
              "\"switching\":false,\"fire\":false,\"cooldown\":0},"
              "\"enemies\":[],\"generation\":1,\"remaining\":16,\"splitters\":[],\"shots\":[],"
              "\"explosions\":[],\"powerups\":[]}\n");
}

TEST(ReplayTool, ReturnInTheMenuStartsPlayInThatVeryCall) {
    const ToolRun run = runScript("2 down RETURN\n3 up RETURN\nend 6\n");
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 6u) << run.out;
    for (std::size_t call = 0; call < lines.size(); ++call) {
        SCOPED_TRACE(lines[call]);
        EXPECT_EQ(lines[call].rfind("{\"call\":" + std::to_string(call) + ",", 0), 0u);
        EXPECT_TRUE(holds(lines[call], call < 2 ? "\"state\":\"Menu\"" : "\"state\":\"Playing\""));
    }
    EXPECT_TRUE(holds(lines[2], "\"play\":true"));
}

TEST(ReplayTool, TheSameScriptGivesTheSameTraceByteForByte) {
    // Long enough for the calendar, and with it the random seed, to move on a few times.
    std::string script = "epoch 1781000000\n2 down RETURN\n3 up RETURN\n";
    for (int call = 10; call < 390; call += 20) {
        script += std::to_string(call) + (call % 40 == 10 ? " down LEFT\n" : " up LEFT\n");
        script +=
            std::to_string(call + 5) + " down SPACE\n" + std::to_string(call + 9) + " up SPACE\n";
    }
    script += "end 400\n";
    const ToolRun first = runScript(script);
    const ToolRun second = runScript(script);
    const ToolRun piped = runReplay({"-"}, testDirectory(), script);
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(linesOf(first.out).size(), 400u);
    EXPECT_EQ(first.out, second.out);
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(first.out, piped.out);
}

TEST(ReplayTool, AMalformedScriptRunsNothing) {
    const ToolRun run = runScript("2 down RETURN\n3 up RETURN\n4 down TAB\nend 10\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("game.txt:3: unknown key 'TAB'", 0), 0u) << run.err;

    const ToolRun piped = runReplay({"-"}, testDirectory(), "end 5\n1 down LEFT\n");
    EXPECT_EQ(piped.status, 2);
    EXPECT_EQ(piped.out, "");
    EXPECT_EQ(piped.err.rfind("-:2: text after 'end'", 0), 0u) << piped.err;
}

TEST(ReplayTool, AScriptOfManyMegabytesIsReadWholeBeforeAnythingRuns) {
    std::string script;
    for (int line = 0; line < 2048; ++line) {
        script += "# " + std::string(4000, '#') + "\n";
    }
    for (int call = 0; call < 200000; ++call) {
        script += std::to_string(call) + " down LEFT\n";
    }
    script += "100 up LEFT\nend 200001\n";
    const ToolRun run = runScript(script);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("game.txt:202049: call 100 comes after call 199999", 0), 0u) << run.err;
}

TEST(ReplayTool, CommandLine) {
    const std::string dir = testDirectory();
    const ToolRun help = runReplay({"--help"}, dir);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind(
                  "usage: glimmerwake-replay [--partial] [--sounds FILE] [--music FILE] SCRIPT", 0),
              0u)
        << help.out;
    EXPECT_EQ(help.err, "");

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, std::vector<std::string>{"a.txt", "b.txt"},
          std::vector<std::string>{"--partial"}, std::vector<std::string>{"a.txt", "--partial"},
          std::vector<std::string>{"--sounds", "a.txt"},
          std::vector<std::string>{"--partial", "--partial", "a.txt"},
          std::vector<std::string>{"--sounds", "", "a.txt"},
          std::vector<std::string>{"--music", "a.txt"},
          std::vector<std::string>{"--music", "m.txt", "--music", "n.txt", "a.txt"}}) {
        const ToolRun wrong = runReplay(args, dir);
        EXPECT_EQ(wrong.status, 2);
        EXPECT_EQ(wrong.out, "");
        EXPECT_EQ(wrong.err, help.out);
    }

    const ToolRun missing = runReplay({"no-such-script.txt"}, dir);
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_TRUE(holds(missing.err, "no-such-script.txt")) << missing.err;

    const ToolRun directory = runReplay({"."}, dir);
    EXPECT_EQ(directory.status, 2);
    EXPECT_EQ(directory.out, "");
}

TEST(ReplayTool, AShotOfTheMenuShowsTheRedTitle) {
    const ToolRun run = runScript("shot 1 menu.png\nend 2\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(linesOf(run.out).size(), 2u);
    const RgbImage image = readPng(testDirectory() + "/menu.png");
    ASSERT_EQ(image.width, 1024);
    ASSERT_EQ(image.height, 768);
    EXPECT_GT(image.titleRed(kTitleLeft, kTitleTop, kTitleRight, kTitleBottom), 150);
    // Nothing of that red beside the title, where the screen is empty.
    EXPECT_EQ(image.titleRed(100, kTitleTop, 380, kTitleBottom), 0);
    EXPECT_EQ(image.titleRed(590, kTitleTop, 900, kTitleBottom), 0);
}

TEST(ReplayTool, AShotFromTheGameDirectoryShowsTheTitleOverTheBackdrop) {
    // The game's own directory, with Data/ below it when the images are there.
    const std::string shot = testDirectory() + "/menu.png";
    const std::string script = testDirectory() + "/menu.txt";
    writeWhole(script, "shot 3 " + shot + "\nend 4\n");
    const ToolRun run = runReplay({script}, GLIMMERWAKE_SOURCE_DIR);
    EXPECT_EQ(run.status, 0) << run.err;
    const RgbImage image = readPng(shot);
    ASSERT_EQ(image.width, 1024);
    EXPECT_GT(image.titleRed(kTitleLeft, kTitleTop, kTitleRight, kTitleBottom), 150);
}

TEST(ReplayTool, AShotThatCannotBeWrittenFails) {
    const ToolRun run = runScript("shot 1 no-such-directory/menu.png\nend 5\n");
    EXPECT_EQ(run.status, 3);
    EXPECT_TRUE(holds(run.err, "game.txt:1: cannot write the shot no-such-directory/menu.png"))
        << run.err;
    // The trace goes as far as the call whose shot failed.
    EXPECT_EQ(linesOf(run.out).size(), 2u);
}

TEST(ReplayTool, AShotAfterTheGameHasQuitIsNotTaken) {
    const ToolRun run =
        runScript("2 down DOWN\n3 up DOWN\n4 down RETURN\nshot 50 late.png\nend 100\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(linesOf(run.out).size(), 6u);
    EXPECT_TRUE(holds(run.err, "game.txt:4: no shot taken: the game quit in call 5")) << run.err;
    EXPECT_FALSE(std::filesystem::exists(testDirectory() + "/late.png"));
}

TEST(ReplayTool, TracesNeedNoOpenGLButShotsDo) {
    // With no OpenGL driver to be found, a trace runs as ever and a shot cannot be taken.
    const std::string noDriver = "__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent/vendor.json";
    const ToolRun trace = runScript("2 down RETURN\nend 5\n", noDriver);
    EXPECT_EQ(trace.status, 0) << trace.err;
    EXPECT_EQ(trace.out, runScript("2 down RETURN\nend 5\n").out);

    const ToolRun shot = runScript("shot 1 menu.png\nend 5\n", noDriver);
    EXPECT_EQ(shot.status, 3);
    EXPECT_EQ(shot.out, "");
    EXPECT_TRUE(holds(shot.err, "no OpenGL context")) << shot.err;
}

TEST(ReplayTool, ClockLinesSetTheCalendarTheGameSeedsWith) {
    const std::string start = "epoch 1781000000\n2 down RETURN\n3 up RETURN\n";
    // The wedges of the first waves spawn at calls 2 and 123 (frames 0 and 120), each at an angle
    // drawn from the seed of its call.
    const ToolRun running = runScript(start + "end 300\n");
    // The same readings the calendar gives by itself, written out.
    const ToolRun written =
        runScript(start + "100 clock 1781000001\n200 clock 1781000002\nend 300\n");
    // A calendar held at the epoch from call 0.
    const ToolRun held = runScript("epoch 1781000000\n0 clock 1781000000\n2 down RETURN\n"
                                   "3 up RETURN\nend 300\n");
    ASSERT_EQ(running.status, 0) << running.err;
    ASSERT_EQ(written.status, 0) << written.err;
    ASSERT_EQ(held.status, 0) << held.err;
    EXPECT_EQ(running.out, written.out);

    const std::vector<std::string> runningLines = linesOf(running.out);
    const std::vector<std::string> heldLines = linesOf(held.out);
    ASSERT_EQ(heldLines.size(), 300u);
    for (std::size_t call = 0; call < 123; ++call) {
        ASSERT_EQ(runningLines[call], heldLines[call]) << call;
    }
    // The wedge of call 123 comes in at another angle.
    EXPECT_TRUE(holds(runningLines[123], "\"enemies\":[{\"kind\":1,\"angle\":10,"));
    EXPECT_TRUE(holds(heldLines[123], "\"enemies\":[{\"kind\":1,\"angle\":6,"));
}

TEST(ReplayTool, APartialRecordingIsPlayedOnlyWhenAskedAndSaysSo) {
    const std::string killed = "epoch 1781000000\n2 down RETURN\n3 up RETURN\n"
                               "57 clock 1781000001\n60 down LEFT\n158 clock 1781000002\n16";
    const ToolRun strict = runScript(killed);
    EXPECT_EQ(strict.status, 2);
    EXPECT_EQ(strict.out, "");
    EXPECT_EQ(strict.err.rfind("game.txt:7: ", 0), 0u) << strict.err;
    EXPECT_TRUE(holds(strict.err, "game.txt: a recording cut short (its game was killed) plays "
                                  "with --partial\n"))
        << strict.err;

    const std::string dir = testDirectory();
    writeWhole(dir + "/killed.txt", killed);
    const ToolRun partial = runReplay({"--partial", "killed.txt"}, dir);
    EXPECT_EQ(partial.status, 0) << partial.err;
    const std::vector<std::string> lines = linesOf(partial.out);
    ASSERT_EQ(lines.size(), 159u);
    EXPECT_EQ(lines.back().rfind("{\"call\":158,\"state\":\"Playing\"", 0), 0u) << lines.back();
    EXPECT_EQ(partial.err, "killed.txt: no 'end': the recording was cut short; playing its 159 "
                           "calls\nkilled.txt: its last line was cut off in the middle and is "
                           "left out\n");

    // What it plays is what the whole script plays up to there.
    const ToolRun whole = runScript(killed.substr(0, killed.rfind('\n') + 1) + "end 159\n");
    EXPECT_EQ(whole.out, partial.out);
}

TEST(ReplayTool, AnEndlessStreamOfZerosIsRefusedAtTheLineBound) {
    const ToolRun run = runReplay({"/dev/zero"}, testDirectory());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "/dev/zero:1: the line is longer than 4096 bytes, the most a line may be\n");
}

TEST(ReplayTool, AByteOrderMarkIsAccepted) {
    const ToolRun marked = runScript("\xef\xbb\xbf"
                                     "2 down RETURN\nend 4\n");
    EXPECT_EQ(marked.status, 0) << marked.err;
    EXPECT_EQ(marked.out, runScript("2 down RETURN\nend 4\n").out);
}

TEST(ReplayTool, AShotIsWrittenOnlyIntoARegularFileAndNeverWaits) {
    const std::string dir = testDirectory();
    const std::string fifo = dir + "/shot.png";
    std::filesystem::remove(fifo);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // Nobody reads the FIFO: opening it to write would wait for ever.
    writeWhole(dir + "/game.txt", "shot 1 shot.png\nend 5\n");
    const ToolRun toFifo = runReplay({"game.txt"}, dir);
    EXPECT_EQ(toFifo.status, 3);
    EXPECT_EQ(toFifo.err, "game.txt:1: cannot write the shot shot.png: not a regular file\n");
    EXPECT_EQ(linesOf(toFifo.out).size(), 2u);

    // A FIFO that someone reads, and a device, are no files for a picture either.
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const ToolRun read = runReplay({"game.txt"}, dir);
    close(reader);
    EXPECT_EQ(read.status, 3);
    EXPECT_TRUE(holds(read.err, "shot.png: not a regular file")) << read.err;
    writeWhole(dir + "/game.txt", "shot 1 /dev/null\nend 5\n");
    const ToolRun device = runReplay({"game.txt"}, dir);
    EXPECT_EQ(device.status, 3);
    EXPECT_TRUE(holds(device.err, "/dev/null: not a regular file")) << device.err;

    // A file that is there and is no picture is left as it is: a mistyped shot name must not
    // cost a developer a file.
    std::filesystem::remove(fifo);
    const std::string notes(4 * 1024 * 1024, 'x');
    writeWhole(fifo, notes);
    writeWhole(dir + "/game.txt", "shot 1 shot.png\nend 5\n");
    const ToolRun kept = runReplay({"game.txt"}, dir);
    EXPECT_EQ(kept.status, 3);
    EXPECT_EQ(kept.err, "game.txt:1: cannot write the shot shot.png: a file that is not a PNG "
                        "picture is there, and is left alone\n");
    EXPECT_EQ(readWhole(fifo), notes);

    // A picture that is there already (the same shot taken again) is written over from its start.
    std::filesystem::remove(fifo);
    ASSERT_EQ(runReplay({"game.txt"}, dir).status, 0);
    const std::uintmax_t pictureSize = std::filesystem::file_size(fifo);
    std::filesystem::resize_file(fifo, 4 * 1024 * 1024);
    const ToolRun over = runReplay({"game.txt"}, dir);
    EXPECT_EQ(over.status, 0) << over.err;
    EXPECT_EQ(std::filesystem::file_size(fifo), pictureSize);
    EXPECT_EQ(readPng(fifo).width, 1024);
}

TEST(ReplayTool, SoundsOrMusicThatCannotBeWrittenAreAFailure) {
    // A full disk: every write fails once the buffer is flushed.
    const std::string dir = testDirectory();
    writeWhole(dir + "/game.txt", "2 down RETURN\n3 up RETURN\n40 down SPACE\nend 4000\n");
    for (const char* what : {"sounds", "music"}) {
        const ToolRun full = runReplay({std::string("--") + what, "/dev/full", "game.txt"}, dir);
        EXPECT_EQ(full.status, 1) << what;
        EXPECT_TRUE(holds(full.err, std::string("glimmerwake-replay: cannot write the ") + what +
                                        ": No space left on device"))
            << full.err;
    }
}
