#pragma once

#include <QString>

namespace parlumo {

// The banner of the main window and the tray hint when the settings name none.
inline const QString kDefaultBanner =
    QStringLiteral("Parlumo  服务热线：400-820-6688  网站：www.parlumo.net ");

} // namespace parlumo
