#include "text/url_encode.h"

#include "text/gbk.h"

namespace parlumo {

namespace {

bool isCopiedByte(unsigned char b) {
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
           b == '.' || b == '_';
}

} // namespace

QString UrlEncode(QStringView text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    const QByteArray bytes = toGbk(text);
    QByteArray out;
    out.reserve(bytes.size() * 3);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (isCopiedByte(b)) {
            out += c;
        } else if (b == ' ') {
            out += "%20";
        } else {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 0x0F];
        }
    }
    return QString::fromLatin1(out);
}

} // namespace parlumo
