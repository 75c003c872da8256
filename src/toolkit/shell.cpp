#include "toolkit/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace parlumo {

bool DesktopShell::openProgram(const QString& program,
                               const QString& parameters,
                               const QString& workingFolder) {
    if (!QFileInfo(program).isExecutable())
        return false;
    return QProcess::startDetached(program, QProcess::splitCommand(parameters), workingFolder);
}

bool DesktopShell::openDocument(const QString& fileOrUrl) {
    const QUrl url = QUrl::fromUserInput(fileOrUrl, QString(), QUrl::AssumeLocalFile);
    return QDesktopServices::openUrl(url);
}

} // namespace parlumo
