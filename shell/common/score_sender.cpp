#include "shell/common/score_sender.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <curl/curl.h>
#include <deque>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using std::chrono::seconds;

constexpr long kCreated = 201;
constexpr long kAlreadyThere = 409;
constexpr long kTooManyRequests = 429;
constexpr long kRequestTimeout = 408;
constexpr long kFirstServerError = 500;
constexpr long kConnectSeconds = 10;
constexpr long kTransferSeconds = 60;
// After a failed attempt the sender waits, twice as long after each failure in a row, up to the
// longest wait: a board that is away is not asked many times a minute.
constexpr seconds kFirstRetry{30};
constexpr seconds kLongestRetry{30 * 60};
constexpr const char* kWaitingSuffix = ".replay";
// Recordings the board refused for good (a name it does not take, say) are kept here, not sent
// again.
constexpr const char* kRefusedFolder = "refused";

std::string percentEncoded(const std::string& text) {
    std::string out;
    constexpr const char* kHex = "0123456789ABCDEF";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '-' || c == '_' || c == '.' || c == '~') {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0f];
        }
    }
    return out;
}

// Writes a file whole or not at all: into a temporary name, flushed to the disk, then renamed.
bool writeDurably(const fs::path& path, const std::string& text) {
    const fs::path temporary = path.string() + ".part";
    {
        std::FILE* file = std::fopen(temporary.c_str(), "wb");
        if (file == nullptr) {
            return false;
        }
        const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() &&
                             std::fflush(file) == 0 && fsync(fileno(file)) == 0;
        if (std::fclose(file) != 0 || !written) {
            return false;
        }
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    return !error;
}

std::string readFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class CurlScoreSender : public ScoreSender {
  public:
    explicit CurlScoreSender(const ScoreSenderSettings& settings)
        : address_(uploadAddress(settings.boardUrl, settings.playerName)),
          folder_(settings.folder) {
        // Safe to call from any thread since libcurl 7.84; done before the sender's own starts.
        curl_global_init(CURL_GLOBAL_DEFAULT);
        std::error_code ignored;
        fs::create_directories(folder_, ignored);
        waiting_ = !waitingFiles().empty();
        thread_ = std::thread([this] { run(); });
    }

    ~CurlScoreSender() override {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }

    void send(std::string recording) override {
        {
            const std::lock_guard lock(mutex_);
            handedOver_.push_back(std::move(recording));
            waiting_ = true;
        }
        wake_.notify_one();
    }

    SendState state() const override {
        const std::lock_guard lock(mutex_);
        return waiting_ ? SendState::Waiting : sentAny_ ? SendState::Sent : SendState::Idle;
    }

  private:
    std::vector<fs::path> waitingFiles() const {
        std::vector<fs::path> files;
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder_, error)) {
            if (entry.is_regular_file() && entry.path().extension() == kWaitingSuffix) {
                files.push_back(entry.path());
            }
        }
        std::sort(files.begin(), files.end());
        return files;
    }

    // Puts what the game handed over into the folder first: from then on it survives a crash.
    void keepHandedOver() {
        std::deque<std::string> recordings;
        {
            const std::lock_guard lock(mutex_);
            recordings.swap(handedOver_);
        }
        for (const std::string& recording : recordings) {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            char name[64];
            std::snprintf(name, sizeof name, "%020lld-%04d%s",
                          static_cast<long long>(
                              std::chrono::duration_cast<std::chrono::microseconds>(now).count()),
                          ++counter_ % 10000, kWaitingSuffix);
            if (!writeDurably(folder_ / name, recording)) {
                std::fprintf(stderr, "glimmerwake: cannot keep a game to send in %s\n",
                             folder_.c_str());
            }
        }
    }

    // Called by curl as a transfer goes on: a nonzero answer drops it, when the game is ending.
    static int progress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        return static_cast<CurlScoreSender*>(self)->stopping() ? 1 : 0;
    }

    static std::size_t discard(char*, std::size_t size, std::size_t count, void*) {
        return size * count;
    }

    bool stopping() const {
        const std::lock_guard lock(mutex_);
        return stopping_;
    }

    // The board's answer to one recording, 0 when none came.
    long post(const std::string& recording) {
        CURL* curl = curl_easy_init();
        if (curl == nullptr) {
            return 0;
        }
        curl_slist* headers = curl_slist_append(nullptr, "Content-Type: text/plain");
        curl_easy_setopt(curl, CURLOPT_URL, address_.c_str());
        curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, recording.data());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(recording.size()));
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
        curl_easy_setopt(curl, CURLOPT_TIMEOUT, kTransferSeconds);
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discard);
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, progress);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
        long status = 0;
        if (curl_easy_perform(curl) == CURLE_OK) {
            curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        }
        curl_slist_free_all(headers);
        curl_easy_cleanup(curl);
        return status;
    }

    // Sends what waits, oldest first; false when the board could not take it now.
    bool sendWaiting() {
        for (const fs::path& file : waitingFiles()) {
            if (stopping()) {
                return false;
            }
            const long status = post(readFile(file));
            std::error_code ignored;
            if (status == kCreated || status == kAlreadyThere) {
                fs::remove(file, ignored);
                const std::lock_guard lock(mutex_);
                sentAny_ = true;
            } else if (status == 0 || status == kTooManyRequests || status == kRequestTimeout ||
                       status >= kFirstServerError) {
                return false;
            } else {
                std::fprintf(stderr,
                             "glimmerwake: the board refused a game (status %ld); it is "
                             "kept in %s\n",
                             status, (folder_ / kRefusedFolder).c_str());
                fs::create_directories(folder_ / kRefusedFolder, ignored);
                fs::rename(file, folder_ / kRefusedFolder / file.filename(), ignored);
            }
        }
        return true;
    }

    void run() {
        seconds retry = kFirstRetry;
        bool retryDue = true;
        for (;;) {
            keepHandedOver();
            if (stopping()) {
                return;
            }
            if (retryDue) {
                const bool allSent = sendWaiting();
                retry = allSent ? kFirstRetry : std::min(retry * 2, kLongestRetry);
                const std::lock_guard lock(mutex_);
                waiting_ = !handedOver_.empty() || !allSent;
            }
            std::unique_lock lock(mutex_);
            const bool woken =
                wake_.wait_for(lock, retry, [this] { return stopping_ || !handedOver_.empty(); });
            // A new game is sent at once; what failed waits for its retry.
            retryDue = !woken || !handedOver_.empty();
        }
    }

    const std::string address_;
    const fs::path folder_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::string> handedOver_;
    bool waiting_ = false;
    bool sentAny_ = false;
    bool stopping_ = false;
    int counter_ = 0;
    std::thread thread_;
};

} // namespace

std::string uploadAddress(const std::string& boardUrl, const std::string& playerName) {
    std::string base = boardUrl;
    while (!base.empty() && base.back() == '/') {
        base.pop_back();
    }
    return base + "/api/games?name=" + percentEncoded(playerName);
}

std::unique_ptr<ScoreSender> startScoreSender(const ScoreSenderSettings& settings) {
    return std::make_unique<CurlScoreSender>(settings);
}
