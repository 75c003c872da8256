#include "bench/peak_memory.h"

#include <fstream>
#include <malloc.h>
#include <string>

namespace parlumo::bench {

namespace {

// A "<field>: <n> kB" line of /proc/self/status, in megabytes; 0 when it cannot be read.
double statusMegabytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with(field + ":"))
            return std::stod(line.substr(field.size() + 1)) / 1024.0;
    return 0.0;
}

} // namespace

PeakMemory::PeakMemory() {
    // What earlier benchmarks freed goes back to the system first, so that it is not counted
    // as this one's base, nor reused unseen.
    malloc_trim(0);
    // "5" resets the high-water mark to the current resident size.
    std::ofstream("/proc/self/clear_refs") << "5";
    baseMegabytes_ = statusMegabytes("VmRSS");
}

void PeakMemory::report(benchmark::State& state) const {
    state.counters["peak_MB"] = statusMegabytes("VmHWM");
    state.counters["base_MB"] = baseMegabytes_;
}

double PeakMemory::aboveBaseMegabytes() const {
    return statusMegabytes("VmHWM") - baseMegabytes_;
}

} // namespace parlumo::bench
