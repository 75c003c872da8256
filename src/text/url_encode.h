#pragma once

#include <QString>

namespace parlumo {

// Percent-encoding of a POST field value over its GBK bytes: letters, digits, "-", "." and "_"
// are copied, a space becomes "%20", every other byte ("~" included) "%XX" in upper case.
QString UrlEncode(QStringView text);

} // namespace parlumo
