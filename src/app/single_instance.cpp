#include "app/single_instance.h"

#include <QDir>

namespace parlumo {

QString SingleInstance::lockPath() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("VezAvuz.lock"));
}

SingleInstance::SingleInstance() : lock_(lockPath()) {
    // Only a dead owner makes the lock stale; a long-running copy keeps it however old it is.
    lock_.setStaleLockTime(0);
    acquired_ = lock_.tryLock(0);
}

} // namespace parlumo
