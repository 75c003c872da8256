#include "text/url_encode.h"

#include "text/gbk.h"

#include <algorithm>

namespace parlumo {

namespace {

bool isCopiedByte(unsigned char b) {
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
           b == '.' || b == '_';
}

} // namespace

QString UrlEncode(QStringView text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    // GBK keeps ASCII as it is: a text of ASCII alone (a list of numbers) needs no encoder.
    const bool ascii = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    const QByteArray bytes = ascii ? text.toLatin1() : toGbk(text);
    QByteArray out(bytes.size() * 3, Qt::Uninitialized);
    char* next = out.data();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (isCopiedByte(b)) {
            *next++ = c;
        } else {
            *next++ = '%';
            *next++ = hex[b >> 4];
            *next++ = hex[b & 0x0F];
        }
    }
    out.truncate(next - out.data());
    return QString::fromLatin1(out);
}

} // namespace parlumo
