// A thread that aborts the test program when the monkey makes no progress, so that a hang fails
// the run at once instead of stalling it until the CI gives up.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace vimbrel::testing {

class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit) : limit_(limit), thread_([this] { watch(); }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // Called at every event; `action` must be a string literal.
    void beat(std::uint64_t seed, int event, const char* action) {
        seed_ = seed;
        event_ = event;
        action_ = action;
        ++beats_;
    }

private:
    void watch() {
        using clock = std::chrono::steady_clock;
        std::unique_lock lock(mutex_);
        std::uint64_t seen = beats_;
        clock::time_point since = clock::now();
        while (
            !wake_.wait_for(lock, std::chrono::milliseconds(250), [this] { return stopping_; })) {
            if (beats_ != seen) {
                seen = beats_;
                since = clock::now();
            } else if (clock::now() - since > limit_) {
                std::fprintf(
                    stderr,
                    "monkey: no progress for %lld s; seed %llu, event %d, last action: %s\n",
                    static_cast<long long>(limit_.count()),
                    static_cast<unsigned long long>(seed_.load()), event_.load(), action_.load());
                std::fflush(stderr);
                std::abort();
            }
        }
    }

    const std::chrono::seconds limit_;
    std::atomic<std::uint64_t> beats_{0};
    std::atomic<std::uint64_t> seed_{0};
    std::atomic<int> event_{0};
    std::atomic<const char*> action_{"start"};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;  // last: it starts watching once everything above exists
};

}  // namespace vimbrel::testing
