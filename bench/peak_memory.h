#pragma once

#include <benchmark/benchmark.h>

namespace parlumo::bench {

// The process's peak resident memory from construction on: the kernel's high-water mark is
// reset, so what was allocated to build the fixture does not count, what it still holds does.
class PeakMemory {
public:
    PeakMemory();
    // Adds the counters "peak_MB" (the high-water mark since construction) and "base_MB" (the
    // resident memory at construction).
    void report(benchmark::State& state) const;
    // The high-water mark since construction less the resident memory at construction.
    double aboveBaseMegabytes() const;

private:
    double baseMegabytes_;
};

} // namespace parlumo::bench
