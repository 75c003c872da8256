#include "text/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace parlumo {

QByteArray toGbk(QStringView text) {
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

QString fromGbk(QByteArrayView bytes) {
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

} // namespace parlumo
