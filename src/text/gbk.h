#pragma once

#include <QByteArray>
#include <QString>

namespace parlumo {

// Text crosses files, requests and replies as GBK bytes. A character that GBK cannot hold
// becomes "?"; undecodable bytes become U+FFFD.
QByteArray toGbk(QStringView text);
QString fromGbk(QByteArrayView bytes);

} // namespace parlumo
