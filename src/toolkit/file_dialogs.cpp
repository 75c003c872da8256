#include "toolkit/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace parlumo {

QString qtFileFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1].trimmed();
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i].trimmed() + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

namespace {

QString startPath(const FileDialogRequest& request) {
    QString folder = request.startFolder;
    if (folder.isEmpty() || folder.compare(QStringLiteral("c:"), Qt::CaseInsensitive) == 0)
        folder = QDir::homePath();
    return request.defaultName.isEmpty() ? folder : QDir(folder).filePath(request.defaultName);
}

} // namespace

QString QtFileDialogs::openFile(QWidget* parent, const FileDialogRequest& request) {
    return QFileDialog::getOpenFileName(
        parent, request.caption, startPath(request), qtFileFilter(request.filter));
}

QString QtFileDialogs::saveFile(QWidget* parent, const FileDialogRequest& request) {
    return QFileDialog::getSaveFileName(
        parent, request.caption, startPath(request), qtFileFilter(request.filter));
}

} // namespace parlumo
