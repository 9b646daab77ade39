#pragma once

#include "game/call_inputs.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

// Turns what the frame function saw, call by call, into the lines of a replay script: the epoch at
// call 0, a `clock` line wherever the calendar second changed, a `down` or `up` line wherever a
// key changed since the call before, and `end`. No file, no clock
// and no keyboard: the recorder feeds it.
class RecordingLines {
  public:
    enum class Clock {
        // A clock line at every change of second, as a recording of a desktop's clock has.
        EveryChange,
        // Only where the replay's own reckoning (a second every 100 calls from the epoch) would
        // read otherwise: the daily run's clock is that reckoning, and its recording has none.
        WhereReckonedOtherwise,
    };
    explicit RecordingLines(Clock clock = Clock::EveryChange) : clockMode_(clock) {}

    // Appends the lines of call `call` (0, 1, 2, ... in turn) to `out`. True when a clock line was
    // among them: the calendar second changed, which is when the recording is flushed.
    bool noteCall(int call, const CallInputs& inputs, std::string& out);
    // Appends the last line: `calls` calls were run, the one that quit included.
    static void noteEnd(int calls, std::string& out);

  private:
    Clock clockMode_;
    std::int64_t epoch_ = 0;
    bool clockSet_ = false;
    std::int64_t clock_ = 0;
    std::int64_t last_ = 0;
    bool keys_[256] = {};
};

// Hands chunks of text to a thread of its own, which writes them to the file: a slow disk never
// holds up a frame. A write that fails is said once on standard error, and nothing more is
// written.
class ChunkWriter {
  public:
    ChunkWriter() = default;
    ChunkWriter(const ChunkWriter&) = delete;
    ChunkWriter& operator=(const ChunkWriter&) = delete;
    ~ChunkWriter() { close(); }

    // Takes over the open file `fd`, named `path` in messages, and starts the thread.
    void start(int fd, std::string path);
    // Queues `chunk` (left empty) for writing. Costs a lock and a swap of strings.
    void hand(std::string& chunk);
    // Writes what is queued, stops the thread and closes the file.
    void close();

  private:
    void run();
    void fail(const char* why);

    int fd_ = -1;
    std::string path_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string queued_;
    bool closing_ = false;
    bool failed_ = false;
};

// Records the game being played into a replay script, written as the game goes: the inputs the
// frame function hands each call (the key state and the calendar second, read once at its start),
// so the script holds exactly what the game saw.
class Recorder {
  public:
    // Opens (or creates) the file. A file that cannot be written is said once on standard error,
    // and the game goes on unrecorded.
    void start(const std::string& path);
    // Before call `call` of the frame function, which is handed `inputs`.
    void beginCall(int call, const CallInputs& inputs);
    // After the last call: `calls` were run. Writes `end` and closes the file.
    void finish(int calls);

  private:
    bool recording_ = false;
    RecordingLines lines_;
    std::string pending_;
    ChunkWriter writer_;
};
