#include "sim/number_lists.h"

#include <algorithm>

namespace parlumo::sim {

std::optional<std::vector<std::string>> splitNumberList(std::string_view text) {
    std::vector<std::string> items;
    if (text.empty())
        return items;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        items.emplace_back(
            text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    if (items.size() > 1 && items.back().empty())
        items.pop_back();
    if (std::any_of(items.begin(), items.end(), [](const std::string& item) { return item.empty(); }))
        return std::nullopt;
    return items;
}

bool isDigits(std::string_view text, std::size_t minLength, std::size_t maxLength) {
    return text.size() >= minLength && text.size() <= maxLength &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool allDigits(const std::vector<std::string>& items, std::size_t minLength, std::size_t maxLength) {
    return !items.empty() && std::all_of(items.begin(), items.end(), [&](const std::string& item) {
        return isDigits(item, minLength, maxLength);
    });
}

} // namespace parlumo::sim
