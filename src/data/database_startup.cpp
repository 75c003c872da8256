#include "data/database_startup.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace parlumo {

namespace {

QByteArray nativePath(const QString& path) {
    return QFile::encodeName(path);
}

// Writes a consistent copy of the database to `target`; false when anything fails.
bool vacuumInto(const QString& source, const QString& target) {
    static QAtomicInteger<quint64> serial;
    const QString name = QStringLiteral("parlumo-compact-%1").arg(serial.fetchAndAddRelaxed(1));
    bool done = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(source);
        if (db.open()) {
            QSqlQuery query(db);
            done = query.prepare(QStringLiteral("VACUUM INTO ?"));
            query.addBindValue(target);
            done = done && query.exec();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return done;
}

// True when the file opens as a database and passes SQLite's quick integrity check.
bool intactDatabase(const QString& path) {
    static QAtomicInteger<quint64> serial;
    const QString name = QStringLiteral("parlumo-check-%1").arg(serial.fetchAndAddRelaxed(1));
    bool intact = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery check(db);
            intact = check.exec(QStringLiteral("PRAGMA quick_check")) && check.next() &&
                     check.value(0).toString() == QLatin1String("ok");
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return intact;
}

// A rename that fails when the target exists.
bool renameWithoutReplacing(const QString& from, const QString& to) {
    if (::renameat2(
            AT_FDCWD, nativePath(from).constData(), AT_FDCWD, nativePath(to).constData(), RENAME_NOREPLACE) ==
        0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without RENAME_NOREPLACE: link() refuses an existing target just as well.
    if (::link(nativePath(from).constData(), nativePath(to).constData()) != 0)
        return false;
    ::unlink(nativePath(from).constData());
    return true;
}

} // namespace

void CampactAccessDB(const QString& databasePath) {
    const QFileInfo database(databasePath);
    const QString temporary = database.dir().filePath(QStringLiteral("tmpDB.mdb"));
    if (!database.isFile())
        return;
    // A work file left by an interrupted compaction is only a partial copy while the database
    // beside it is intact; otherwise it may be the better copy and both stay for the user.
    if (QFileInfo::exists(temporary) && (!intactDatabase(databasePath) || !QFile::remove(temporary)))
        return;
    if (!vacuumInto(databasePath, temporary)) {
        QFile::remove(temporary);
        return;
    }
    // A write-ahead log still beside the file belongs to the old database and would be replayed
    // into the new one: leave the database as it is.
    if (QFileInfo::exists(databasePath + QStringLiteral("-wal"))) {
        QFile::remove(temporary);
        return;
    }
    QFile::setPermissions(temporary, QFile::permissions(databasePath));
    if (std::rename(nativePath(temporary).constData(), nativePath(databasePath).constData()) != 0)
        QFile::remove(temporary);
}

void restoreSpareCopy(const QString& programFolder) {
    const QDir folder(programFolder);
    renameWithoutReplacing(folder.filePath(QStringLiteral("db.bak")),
                           folder.filePath(QStringLiteral("db.db")));
}

void prepareDatabaseFiles(const QString& programFolder) {
    CampactAccessDB(QDir(programFolder).filePath(QStringLiteral("db.db")));
    restoreSpareCopy(programFolder);
}

} // namespace parlumo
