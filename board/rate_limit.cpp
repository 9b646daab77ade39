#include "board/rate_limit.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kSecondsPerMinute = 60.0;
}

RateLimit::RateLimit(int perMinute, int burst, std::size_t maxAddresses)
    : perSecond_(perMinute / kSecondsPerMinute), burst_(std::max(burst, 1)),
      maxAddresses_(maxAddresses) {}

double RateLimit::refilled(const Bucket& bucket, Clock::time_point now) const {
    const double seconds = std::chrono::duration<double>(now - bucket.updated).count();
    return std::min(burst_, bucket.tokens + seconds * perSecond_);
}

void RateLimit::dropFullBuckets(Clock::time_point now) {
    for (auto bucket = buckets_.begin(); bucket != buckets_.end();) {
        bucket =
            refilled(bucket->second, now) >= burst_ ? buckets_.erase(bucket) : std::next(bucket);
    }
}

bool RateLimit::allow(const std::string& address, Clock::time_point now, int& retryAfter) {
    if (perSecond_ <= 0) {
        return true;
    }
    const std::lock_guard lock(mutex_);
    auto bucket = buckets_.find(address);
    if (bucket == buckets_.end()) {
        if (buckets_.size() >= maxAddresses_) {
            dropFullBuckets(now);
        }
        if (buckets_.size() >= maxAddresses_) {
            retryAfter = static_cast<int>(std::ceil(1.0 / perSecond_));
            return false;
        }
        bucket = buckets_.emplace(address, Bucket{burst_, now}).first;
    }
    Bucket& current = bucket->second;
    current.tokens = refilled(current, now);
    current.updated = now;
    if (current.tokens < 1.0) {
        retryAfter = static_cast<int>(std::ceil((1.0 - current.tokens) / perSecond_));
        return false;
    }
    current.tokens -= 1.0;
    return true;
}
