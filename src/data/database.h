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
//
// A thread may also hold connections of its own for one reader each (`reader` names it): a list
// that keeps its query open while the user scrolls reads on one, so its snapshot of the file
// never holds back the writes of the thread's main connection nor its other reads.
class Database {
public:
    explicit Database(QString filePath);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Runs a statement on the calling thread's connection (or its reader's); raises DatabaseError
    // on failure.
    QSqlQuery execute(const SqlText& statement, const QString& reader = {});
    // Runs an insert and returns the new row's key.
    qint64 insert(const SqlText& statement);
    // A statement with "?" placeholders prepared once on the calling thread's connection, to be
    // run for many rows with run(); raises DatabaseError when it cannot be prepared.
    QSqlQuery prepare(const QString& text);
    // Binds the values to the placeholders in order and runs the prepared statement; raises
    // DatabaseError on failure.
    void run(QSqlQuery& prepared, const QVariantList& values);

    // The calling thread's connection (or its reader's), opened when it is closed.
    QSqlDatabase connection(const QString& reader = {});
    // Creates the file with every table when it does not exist, leaving no connection open.
    void createIfMissing();
    // Raises DatabaseError, naming the file and the reason, when the file cannot be opened, fails
    // SQLite's quick integrity check, or lacks a table or column of the program's schema.
    void verify();
    // Closes the calling thread's connection; the next statement opens it again.
    void close();
    // Closes and forgets the calling thread's connection (or its reader's); a worker calls it
    // before it ends, a reader when it goes.
    void releaseThreadConnection(const QString& reader = {});

    const QString& filePath() const { return filePath_; }

private:
    QString connectionName(const QString& reader = {}) const;
    void open(QSqlDatabase& db);

    QString filePath_;
    QString namePrefix_;
    std::mutex mutex_;
    QHash<QString, bool> connections_;
    bool schemaReady_ = false;
};

} // namespace parlumo
