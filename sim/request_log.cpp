#include "sim/request_log.h"

#include "sim/clock.h"
#include "sim/json_codec.h"

#include <stdexcept>

namespace parlumo::sim {

RequestLog::RequestLog(const std::filesystem::path& file) {
    if (file.empty())
        return;
    file_.open(file, std::ios::binary | std::ios::app);
    if (!file_)
        throw std::runtime_error("cannot open the log file " + file.string());
}

void RequestLog::add(RecordedRequest request) {
    std::lock_guard lock(mutex_);
    request.sequence = nextSequence_++;
    if (file_.is_open()) {
        Json line = requestToJson(request);
        line.set("time", localTimeText(nowMs()));
        file_ << line.dump() << '\n';
        file_.flush();
    }
    requests_.push_back(std::move(request));
}

std::vector<RecordedRequest> RequestLog::all() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void RequestLog::clear() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

} // namespace parlumo::sim
