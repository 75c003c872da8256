#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace parlumo::sim {

std::string base64Encode(std::string_view bytes);
// Decodes base64 text, ignoring white space; nullopt when it is not base64.
std::optional<std::string> base64Decode(std::string_view text);

} // namespace parlumo::sim
