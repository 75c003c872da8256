#include "sim/script_book.h"

#include "sim/ascii_text.h"

#include <utility>

namespace parlumo::sim {

std::string ScriptBook::key(std::string_view path, std::string_view operation) {
    std::string key = asciiLower(path);
    key += '#';
    key += operation;
    return key;
}

void ScriptBook::add(std::string_view path, std::string_view operation, ScriptedReply reply) {
    std::lock_guard lock(mutex_);
    queues_[key(path, operation)].push_back(std::move(reply));
}

std::optional<ScriptedReply> ScriptBook::take(std::string_view path, std::string_view operation) {
    std::lock_guard lock(mutex_);
    for (const std::string& k : {key(path, operation), key(path, "")}) {
        const auto it = queues_.find(k);
        if (it == queues_.end() || it->second.empty())
            continue;
        ScriptedReply reply = std::move(it->second.front());
        it->second.pop_front();
        return reply;
    }
    return std::nullopt;
}

void ScriptBook::clear() {
    std::lock_guard lock(mutex_);
    queues_.clear();
}

} // namespace parlumo::sim
