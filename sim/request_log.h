#pragma once

#include "sim/recorded_request.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <vector>

namespace parlumo::sim {

// Every request the service received, kept in memory and, when a file is given,
// appended to it as one JSON line each.
class RequestLog {
public:
    // Throws std::runtime_error when the file cannot be opened.
    explicit RequestLog(const std::filesystem::path& file);

    void add(RecordedRequest request);
    std::vector<RecordedRequest> all() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<RecordedRequest> requests_;
    std::uint64_t nextSequence_ = 1;
    std::ofstream file_;
};

} // namespace parlumo::sim
