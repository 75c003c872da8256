#pragma once

#include <cstdint>
#include <string>

namespace parlumo::sim {

// Milliseconds since the epoch.
std::int64_t nowMs();
// Local time as "yyyy-MM-dd HH:mm:ss".
std::string localTimeText(std::int64_t epochMs);

} // namespace parlumo::sim
