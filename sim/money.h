#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace parlumo::sim {

// An exact amount of yuan, held as a whole number of ten-thousandths.
class Money {
public:
    static constexpr std::int64_t kUnitsPerYuan = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(std::int64_t units) { return Money(units); }

    // Reads "12", "0.08", ".08", "-3.5"; at most four decimals. Anything else fails.
    static std::optional<Money> parse(std::string_view text);

    constexpr std::int64_t units() const { return units_; }

    // Shortest decimal form: "1000", "0.08", "-2.5".
    std::string toString() const;
    // The form the login reply uses for prices: "0.08" becomes ".08".
    std::string withoutLeadingZero() const;

    Money operator*(std::int64_t factor) const { return Money(units_ * factor); }
    Money operator+(Money other) const { return Money(units_ + other.units_); }
    Money operator-(Money other) const { return Money(units_ - other.units_); }
    Money& operator+=(Money other) {
        units_ += other.units_;
        return *this;
    }
    Money& operator-=(Money other) {
        units_ -= other.units_;
        return *this;
    }
    auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

} // namespace parlumo::sim
