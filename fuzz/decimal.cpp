// Decimal amounts: what parses prints as a text that parses to the same amount (up to the 15
// significant digits it prints), and printing is stable.

#include "fuzz/fuzz_input.h"
#include "text/decimal.h"

using namespace parlumo;

namespace {

// The significant digits of an accepted text, the fraction cut at the twelve places kept.
qsizetype significantDigits(const QString& text) {
    QString number = text.trimmed();
    number.remove(QLatin1Char('-')).remove(QLatin1Char('+'));
    const qsizetype point = number.indexOf(QLatin1Char('.'));
    QString digits = point < 0 ? number : number.left(point) + number.mid(point + 1, 12);
    while (digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    while (digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    return digits.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzz::utf8(data, size);
    const std::optional<Decimal> value = Decimal::parse(text);
    if (!value)
        return 0;
    const QString printed = value->toString();
    const std::optional<Decimal> again = Decimal::parse(printed);
    fuzz::require(again.has_value(), "a printed amount parses");
    fuzz::require(again->toString() == printed, "printing a printed amount gives it again");
    if (significantDigits(text) <= 15)
        fuzz::require(*again == *value, "an amount of up to 15 digits survives printing");
    fuzz::require(*value + *value - *value == *value, "adding and taking away an amount cancel");
    return 0;
}
