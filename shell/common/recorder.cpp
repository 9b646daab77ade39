#include "shell/common/recorder.h"

#include "replay/script.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace {

// The replay's calendar runs on by a second every this many calls until its first clock line.
constexpr int kCallsPerSecond = 100;

void appendCallLine(std::string& out, int call, const char* what, const std::string& value) {
    out += std::to_string(call);
    out += ' ';
    out += what;
    out += ' ';
    out += value;
    out += '\n';
}

} // namespace

bool RecordingLines::noteCall(int call, const CallInputs& inputs, std::string& out) {
    if (call == 0) {
        epoch_ = inputs.seconds;
        out += "# a game of Glimmerwake, recorded with glimmerwake --record\n";
        out += "epoch " + std::to_string(epoch_) + "\n";
    }
    // A line wherever the second changed, as the replay's contract has it, and wherever else the
    // replay's own reckoning would read otherwise (a clock set back while the game ran).
    const std::int64_t reckoned = clockSet_ ? clock_ : epoch_ + call / kCallsPerSecond;
    const bool secondChanged = call > 0 && inputs.seconds != last_;
    const bool clockLine =
        inputs.seconds != reckoned || (secondChanged && clockMode_ == Clock::EveryChange);
    last_ = inputs.seconds;
    if (clockLine) {
        clockSet_ = true;
        clock_ = inputs.seconds;
        appendCallLine(out, call, "clock", std::to_string(clock_));
    }
    for (const ScriptKey& key : kScriptKeys) {
        const bool down = inputs.keyDown(key.virtualKey);
        if (down != keys_[key.virtualKey]) {
            keys_[key.virtualKey] = down;
            appendCallLine(out, call, down ? "down" : "up", key.name);
        }
    }
    return clockLine;
}

void RecordingLines::noteEnd(int calls, std::string& out) {
    out += "end " + std::to_string(calls) + "\n";
}

void ChunkWriter::start(int fd, std::string path) {
    fd_ = fd;
    path_ = std::move(path);
    // The game's thread takes SIGTERM and SIGINT and ends the game in order; the writer must not
    // take them instead. The thread starts with the mask it is made with.
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    thread_ = std::thread(&ChunkWriter::run, this);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

void ChunkWriter::hand(std::string& chunk) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (queued_.empty()) {
            queued_.swap(chunk);
        } else {
            queued_ += chunk;
            chunk.clear();
        }
    }
    wake_.notify_one();
}

void ChunkWriter::close() {
    if (!thread_.joinable()) {
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
    }
    wake_.notify_one();
    thread_.join();
    if (::close(fd_) != 0 && !failed_) {
        fail(std::strerror(errno));
    }
    fd_ = -1;
}

void ChunkWriter::fail(const char* why) {
    failed_ = true;
    std::fprintf(stderr,
                 "glimmerwake: cannot write the recording %s: %s; the game goes on unrecorded\n",
                 path_.c_str(), why);
}

void ChunkWriter::run() {
    std::string writing;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return closing_ || !queued_.empty(); });
            if (queued_.empty() && closing_) {
                return;
            }
            writing.swap(queued_);
        }
        std::size_t done = 0;
        while (!failed_ && done < writing.size()) {
            const ssize_t written = ::write(fd_, writing.data() + done, writing.size() - done);
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written <= 0) {
                fail(written < 0 ? std::strerror(errno) : "nothing could be written");
                break;
            }
            done += static_cast<std::size_t>(written);
        }
        writing.clear();
    }
}

void Recorder::start(const std::string& path) {
    // Not waiting at the open: a FIFO nobody reads would hold up the start for ever.
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0 || fcntl(fd, F_SETFL, 0) != 0) {
        std::fprintf(stderr, "glimmerwake: cannot record to %s: %s; the game goes on unrecorded\n",
                     path.c_str(), std::strerror(errno));
        if (fd >= 0) {
            ::close(fd);
        }
        return;
    }
    recording_ = true;
    writer_.start(fd, path);
}

void Recorder::beginCall(int call, const CallInputs& inputs) {
    if (!recording_) {
        return;
    }
    // Flushed once a second, when the second changes: the last line handed on is then always a
    // clock line, so a recording cut short says how far it got to within a second.
    if (lines_.noteCall(call, inputs, pending_) || call == 0) {
        writer_.hand(pending_);
    }
}

void Recorder::finish(int calls) {
    if (!recording_) {
        return;
    }
    RecordingLines::noteEnd(calls, pending_);
    writer_.hand(pending_);
    writer_.close();
    recording_ = false;
}
