// The query value and POST field encodings: decoding what they give yields the text again for
// every text GBK can hold, and only safe characters travel unencoded.

#include "fuzz/fuzz_input.h"
#include "service/query.h"
#include "text/gbk.h"
#include "text/url_encode.h"

using namespace parlumo;

namespace {

int hexDigit(QChar c) {
    const QString digits = QStringLiteral("0123456789ABCDEF");
    return static_cast<int>(digits.indexOf(c));
}

// Percent-decoding over GBK bytes; upper-case escapes only, as both encoders write them.
QString decoded(const QString& encoded) {
    QByteArray bytes;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == QLatin1Char('%')) {
            fuzz::require(i + 2 < encoded.size(), "an escape has two digits");
            const int high = hexDigit(encoded[i + 1]), low = hexDigit(encoded[i + 2]);
            fuzz::require(high >= 0 && low >= 0, "an escape is two upper-case hex digits");
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            fuzz::require(encoded[i].unicode() > 0x20 && encoded[i].unicode() < 0x7F, "only printable ASCII travels");
            bytes += static_cast<char>(encoded[i].unicode());
        }
    }
    return fromGbk(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzz::utf8(data, size);
    const QString query = encodeQueryValue(text);
    const QString field = UrlEncode(text);
    for (QChar c : QStringLiteral("#&+?= "))
        fuzz::require(!query.contains(c), "a query value holds none of the query's own characters");
    if (fromGbk(toGbk(text)) != text)
        return 0;
    fuzz::require(decoded(query) == text, "a query value decodes to the text");
    fuzz::require(decoded(field) == text, "a POST field decodes to the text");
    return 0;
}
