#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parlumo::sim {

// Splits a comma-separated list of numbers. One trailing comma is tolerated;
// any other empty item makes the list malformed (nullopt).
std::optional<std::vector<std::string>> splitNumberList(std::string_view text);

// Whether text is made of ASCII digits only, between minLength and maxLength of them.
bool isDigits(std::string_view text, std::size_t minLength, std::size_t maxLength);

// Whether every item is isDigits(item, minLength, maxLength); an empty list is not.
bool allDigits(const std::vector<std::string>& items, std::size_t minLength, std::size_t maxLength);

} // namespace parlumo::sim
