#pragma once

#include <QString>

namespace parlumo {

// The program's own version, compared with the version file of the update host.
inline const QString kProgramVersion = QStringLiteral("4.4.0.0");

} // namespace parlumo
