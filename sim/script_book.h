#pragma once

#include "sim/scripted_reply.h"

#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace parlumo::sim {

// Scripted replies queued per path (paths compared without regard to case, as the
// service's web server does), optionally per SOAP operation, used one per request.
class ScriptBook {
public:
    void add(std::string_view path, std::string_view operation, ScriptedReply reply);
    // The next reply for a request of this path and operation: one queued for the
    // operation first, then one for the path as a whole.
    std::optional<ScriptedReply> take(std::string_view path, std::string_view operation);
    void clear();

private:
    static std::string key(std::string_view path, std::string_view operation);

    std::mutex mutex_;
    std::map<std::string, std::deque<ScriptedReply>> queues_;
};

} // namespace parlumo::sim
