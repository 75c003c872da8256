#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace parlumo::sim {

// Length of the well-formed UTF-8 sequence that starts text, or 0 when it is malformed.
std::size_t utf8SequenceLength(std::string_view text);
void appendUtf8(std::string& out, char32_t code);
bool isValidUtf8(std::string_view text);
// Length in UTF-16 code units, the measure the client counts characters in.
std::size_t utf16Length(std::string_view utf8);

} // namespace parlumo::sim
