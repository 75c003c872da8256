#include "text/decimal.h"

#include <string>

namespace parlumo {

namespace {

constexpr int kScaleDigits = 12;
constexpr int kSignificantDigits = 15;

__int128 powerOfTen(int exponent) {
    __int128 value = 1;
    for (int i = 0; i < exponent; ++i)
        value *= 10;
    return value;
}

} // namespace

Decimal Decimal::fromInteger(long long value) {
    return Decimal(static_cast<__int128>(value) * powerOfTen(kScaleDigits));
}

std::optional<Decimal> Decimal::parse(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        negative = t[i++] == QLatin1Char('-');
    // The bound is a value, not a count of digits: the largest whole part, rounded to fifteen
    // digits when printed, prints as 10^20, which must parse again.
    const __int128 largestWhole = powerOfTen(20);
    __int128 whole = 0;
    int wholeDigits = 0;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
        whole = whole * 10 + (t[i++].unicode() - '0');
        ++wholeDigits;
        if (whole > largestWhole)
            return std::nullopt;
    }
    __int128 fraction = 0;
    int fractionDigits = 0;
    if (i < t.size() && t[i] == QLatin1Char('.')) {
        ++i;
        while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
            if (fractionDigits < kScaleDigits) {
                fraction = fraction * 10 + (t[i].unicode() - '0');
                ++fractionDigits;
            }
            ++i;
        }
    }
    if (i != t.size() || wholeDigits + fractionDigits == 0)
        return std::nullopt;
    const __int128 units =
        whole * powerOfTen(kScaleDigits) + fraction * powerOfTen(kScaleDigits - fractionDigits);
    return Decimal(negative ? -units : units);
}

QString Decimal::toString() const {
    const bool negative = units_ < 0;
    __int128 magnitude = negative ? -units_ : units_;
    std::string digits;
    for (__int128 v = magnitude; v > 0; v /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
    if (digits.empty())
        return QStringLiteral("0");
    // Round half up to 15 significant digits.
    if (digits.size() > kSignificantDigits) {
        const size_t cut = digits.size() - kSignificantDigits;
        const __int128 unit = powerOfTen(static_cast<int>(cut));
        magnitude = (magnitude + unit / 2) / unit * unit;
        digits.clear();
        for (__int128 v = magnitude; v > 0; v /= 10)
            digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
    }
    if (digits.size() <= kScaleDigits)
        digits.insert(0, kScaleDigits + 1 - digits.size(), '0');
    std::string whole = digits.substr(0, digits.size() - kScaleDigits);
    std::string fraction = digits.substr(digits.size() - kScaleDigits);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    std::string text = (negative ? "-" : "") + whole + (fraction.empty() ? "" : "." + fraction);
    return QString::fromStdString(text);
}

} // namespace parlumo
