#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>
#include <unordered_map>

// Uploads per client address: a bucket of `burst` uploads per address that refills at
// `perMinute`. The table of addresses is bounded: when it is full, the buckets that have
// refilled completely (their addresses are as good as new) are dropped, and if none has, the
// newcomer is refused rather than the memory grown.
class RateLimit {
  public:
    using Clock = std::chrono::steady_clock;

    // perMinute 0: no limit.
    RateLimit(int perMinute, int burst, std::size_t maxAddresses);

    // Takes one upload from the address's bucket; false when it is empty. `retryAfter` is then
    // how many seconds until there is one again.
    bool allow(const std::string& address, Clock::time_point now, int& retryAfter);

  private:
    struct Bucket {
        double tokens;
        Clock::time_point updated;
    };
    double refilled(const Bucket& bucket, Clock::time_point now) const;
    void dropFullBuckets(Clock::time_point now);

    const double perSecond_;
    const double burst_;
    const std::size_t maxAddresses_;
    std::mutex mutex_;
    std::unordered_map<std::string, Bucket> buckets_;
};
