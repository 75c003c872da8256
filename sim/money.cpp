#include "sim/money.h"

namespace parlumo::sim {

std::optional<Money> Money::parse(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view{} : text.substr(dot + 1);
    if (whole.empty() && fraction.empty())
        return std::nullopt;
    if (whole.size() > 14 || fraction.size() > 4)
        return std::nullopt;
    if (dot != std::string_view::npos && fraction.empty())
        return std::nullopt;

    std::int64_t units = 0;
    for (char c : whole) {
        if (c < '0' || c > '9')
            return std::nullopt;
        units = units * 10 + (c - '0');
    }
    std::int64_t scale = kUnitsPerYuan;
    units *= scale;
    for (char c : fraction) {
        if (c < '0' || c > '9')
            return std::nullopt;
        scale /= 10;
        units += (c - '0') * scale;
    }
    return Money(negative ? -units : units);
}

std::string Money::toString() const {
    const std::int64_t magnitude = units_ < 0 ? -units_ : units_;
    std::string text = units_ < 0 ? "-" : "";
    text += std::to_string(magnitude / kUnitsPerYuan);
    std::int64_t fraction = magnitude % kUnitsPerYuan;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction + kUnitsPerYuan).substr(1);
        while (digits.back() == '0')
            digits.pop_back();
        text += "." + digits;
    }
    return text;
}

std::string Money::withoutLeadingZero() const {
    std::string text = toString();
    if (text.starts_with("0."))
        text.erase(0, 1);
    return text;
}

} // namespace parlumo::sim
