#pragma once

#include <QString>
#include <optional>

namespace parlumo {

// An exact decimal amount for balances and prices (binary floating point would make
// 0.1 x 3 exceed 0.3). Twelve decimal places, "." as the separator whatever the locale.
class Decimal {
public:
    Decimal() = default;
    static Decimal fromInteger(long long value);
    // Reads "12", "-3.5", ".08", "000000.00"; nothing else.
    static std::optional<Decimal> parse(const QString& text);

    Decimal operator+(const Decimal& other) const { return Decimal(units_ + other.units_); }
    Decimal operator-(const Decimal& other) const { return Decimal(units_ - other.units_); }
    Decimal operator*(long long factor) const { return Decimal(units_ * factor); }
    auto operator<=>(const Decimal& other) const = default;

    // The shortest form with at most 15 significant digits: 99.7, not 99.70; 0 for zero.
    QString toString() const;

private:
    explicit Decimal(__int128 units) : units_(units) {}
    __int128 units_ = 0;
};

} // namespace parlumo
