#include "service/query.h"

#include "text/gbk.h"

namespace parlumo {

namespace {

bool needsEncoding(unsigned char b) {
    switch (b) {
    case '#':
    case '&':
    case '+':
    case '%':
    case '?':
    case '=':
        return true;
    default:
        return b <= 0x20 || b >= 0x7F;
    }
}

} // namespace

QString encodeQueryValue(QStringView value) {
    static constexpr char hex[] = "0123456789ABCDEF";
    QByteArray out;
    for (char c : toGbk(value)) {
        const auto b = static_cast<unsigned char>(c);
        if (needsEncoding(b)) {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 0x0F];
        } else {
            out += c;
        }
    }
    return QString::fromLatin1(out);
}

QueryUrl::QueryUrl(const QString& base, const QString& path) : url_(base + path) {}

QueryUrl& QueryUrl::add(const QString& key, const QString& value) {
    url_ += (first_ ? QLatin1Char('?') : QLatin1Char('&')) + key + QLatin1Char('=') + encodeQueryValue(value);
    first_ = false;
    return *this;
}

} // namespace parlumo
