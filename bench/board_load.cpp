// glimmerwake-board-load: a bounded load on a board at 127.0.0.1: many uploads of whole-level
// games at once (each a different game: the recording runs a few calls longer), with reads of
// the boards in between. Prints the throughput and the latencies; it stops by itself after its
// count of requests or its time limit, whichever comes first.
//
//   glimmerwake-board-load PORT UPLOADS CONCURRENCY READS_PER_UPLOAD SECONDS FILE...
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <httplib.h>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr const char* kLoopback = "127.0.0.1";
constexpr int kTimeoutSeconds = 60;

struct Sample {
    double milliseconds;
    int status;
};

std::string readFile(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The recording with `extra` more calls before its end: another game as long as the first.
std::string variant(const std::string& recording, int extra) {
    const std::size_t end = recording.rfind("end ");
    const int calls = std::stoi(recording.substr(end + 4));
    return recording.substr(0, end) + "end " + std::to_string(calls + extra) + "\n";
}

double percentile(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
    return values[at];
}

void report(const char* what, const std::vector<Sample>& samples) {
    std::map<int, int> statuses;
    std::vector<double> times;
    for (const Sample& sample : samples) {
        ++statuses[sample.status];
        times.push_back(sample.milliseconds);
    }
    std::printf("%s: %zu, p50 %.1f ms, p99 %.1f ms, statuses", what, samples.size(),
                percentile(times, 0.5), percentile(times, 0.99));
    for (const auto& [status, count] : statuses) {
        std::printf(" %d x%d", status, count);
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 7) {
        std::fprintf(stderr, "usage: glimmerwake-board-load PORT UPLOADS CONCURRENCY "
                             "READS_PER_UPLOAD SECONDS FILE...\n");
        return 2;
    }
    const int port = std::stoi(argv[1]);
    const int uploads = std::stoi(argv[2]);
    const int concurrency = std::stoi(argv[3]);
    const int readsPerUpload = std::stoi(argv[4]);
    const auto deadline = Clock::now() + std::chrono::seconds(std::stoi(argv[5]));
    std::vector<std::string> recordings;
    for (int i = 6; i < argc; ++i) {
        recordings.push_back(readFile(argv[i]));
    }

    std::atomic<int> next{0};
    std::mutex mutex;
    std::vector<Sample> uploadSamples;
    std::vector<Sample> readSamples;
    const auto started = Clock::now();
    std::vector<std::thread> clients;
    for (int c = 0; c < concurrency; ++c) {
        clients.emplace_back([&] {
            httplib::Client client(kLoopback, port);
            client.set_read_timeout(kTimeoutSeconds, 0);
            for (int n = next++; n < uploads && Clock::now() < deadline; n = next++) {
                const std::string body = variant(recordings[n % recordings.size()], n + 1);
                const auto sent = Clock::now();
                const httplib::Result result = client.Post(
                    ("/api/games?name=load" + std::to_string(n)).c_str(), body, "text/plain");
                const std::chrono::duration<double, std::milli> took = Clock::now() - sent;
                std::vector<Sample> reads;
                for (int r = 0; r < readsPerUpload; ++r) {
                    const auto asked = Clock::now();
                    const httplib::Result read = client.Get("/api/scores?mode=free&limit=20");
                    const std::chrono::duration<double, std::milli> readTook = Clock::now() - asked;
                    reads.push_back({readTook.count(), read ? read->status : 0});
                }
                const std::lock_guard lock(mutex);
                uploadSamples.push_back({took.count(), result ? result->status : 0});
                readSamples.insert(readSamples.end(), reads.begin(), reads.end());
            }
        });
    }
    for (std::thread& client : clients) {
        client.join();
    }
    const std::chrono::duration<double> elapsed = Clock::now() - started;
    const auto verified = std::count_if(uploadSamples.begin(), uploadSamples.end(),
                                        [](const Sample& sample) { return sample.status == 201; });
    report("uploads", uploadSamples);
    report("reads", readSamples);
    std::printf("%ld uploads verified and stored in %.1f s: %.2f a second\n",
                static_cast<long>(verified), elapsed.count(),
                static_cast<double>(verified) / elapsed.count());
    return 0;
}
