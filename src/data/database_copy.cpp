#include "data/database_copy.h"

#include "text/error.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <cstdio>

namespace parlumo {

namespace {

bool samePath(const QString& a, const QString& b) {
    const QFileInfo first(a), second(b);
    if (first.exists() && second.exists())
        return first.canonicalFilePath() == second.canonicalFilePath();
    return first.absoluteFilePath() == second.absoluteFilePath();
}

} // namespace

void copyDatabase(const QString& databasePath, const QString& target) {
    if (samePath(databasePath, target))
        throw Error(QStringLiteral("the copy would replace the database itself"));
    const QFileInfo targetInfo(target);
    const QString temporary = targetInfo.absoluteDir().filePath(
        QStringLiteral(".%1.%2.tmp").arg(targetInfo.fileName(), QUuid::createUuid().toString(QUuid::Id128)));

    static QAtomicInteger<quint64> serial;
    const QString name = QStringLiteral("parlumo-copy-%1").arg(serial.fetchAndAddRelaxed(1));
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databasePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        if (!QFileInfo(databasePath).isFile() || !db.open()) {
            failure = QStringLiteral("cannot open %1").arg(databasePath);
        } else {
            QSqlQuery vacuum(db);
            if (!vacuum.prepare(QStringLiteral("VACUUM INTO ?")))
                failure = vacuum.lastError().text();
            vacuum.addBindValue(temporary);
            if (failure.isEmpty() && !vacuum.exec())
                failure = vacuum.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (failure.isEmpty()) {
        QFile::setPermissions(temporary, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0)
            failure = QStringLiteral("cannot replace %1").arg(target);
    }
    if (!failure.isEmpty()) {
        QFile::remove(temporary);
        throw Error(failure);
    }
}

} // namespace parlumo
