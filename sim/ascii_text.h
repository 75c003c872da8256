#pragma once

#include <string>
#include <string_view>

namespace parlumo::sim {

// Text with A-Z turned into a-z; other bytes unchanged.
std::string asciiLower(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
// Text without the blanks and control characters (bytes 0 to 32) at its ends.
std::string_view trimBlanks(std::string_view text);

} // namespace parlumo::sim
