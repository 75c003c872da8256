#pragma once

#include <QThread>
#include <atomic>
#include <chrono>

namespace parlumo {

// Sleeps on a worker thread for `duration`, waking early when `cancelled` turns true.
inline void sleepUnlessCancelled(std::chrono::milliseconds duration, const std::atomic<bool>& cancelled) {
    using namespace std::chrono;
    const auto until = steady_clock::now() + duration;
    for (auto now = steady_clock::now(); !cancelled && now < until; now = steady_clock::now())
        QThread::msleep(static_cast<unsigned long>(
            qMin<long long>(50, duration_cast<milliseconds>(until - now).count() + 1)));
}

} // namespace parlumo
