#pragma once

#include "data/sql_text.h"
#include "text/error.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <mutex>

namespace parlumo {

class DatabaseError : public Error {
public:
    using Error::Error;
};

// The program's database file. Each thread that runs statements gets its own connection to the
// file (Qt SQL connections belong to one thread); WAL mode and a busy timeout let the threads'
// statements run one at a time. A connection opens on first use and again after close(); the
// schema is created the first time the file is opened.
class Database {
public:
    explicit Database(QString filePath);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Runs a statement on the calling thread's connection; raises DatabaseError on failure.
    QSqlQuery execute(const SqlText& statement);
    // Runs an insert and returns the new row's key.
    qint64 insert(const SqlText& statement);

    // The calling thread's connection, opened when it is closed.
    QSqlDatabase connection();
    // Creates the file with every table when it does not exist, leaving no connection open.
    void createIfMissing();
    // Closes the calling thread's connection; the next statement opens it again.
    void close();
    // Closes and forgets the calling thread's connection; a worker calls it before it ends.
    void releaseThreadConnection();

    const QString& filePath() const { return filePath_; }

private:
    QString connectionName() const;
    void open(QSqlDatabase& db);

    QString filePath_;
    QString namePrefix_;
    std::mutex mutex_;
    QHash<QString, bool> connections_;
    bool schemaReady_ = false;
};

} // namespace parlumo
