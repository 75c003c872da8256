#include "text/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace parlumo {

// Opening a converter loads its tables, which costs far more than converting a message: each
// thread keeps one of each. Stateless converters carry nothing from one text to the next.
QByteArray toGbk(QStringView text) {
    thread_local QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

QString fromGbk(QByteArrayView bytes) {
    thread_local QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

} // namespace parlumo
