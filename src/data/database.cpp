#include "data/database.h"

#include "data/schema.h"

#include <QAtomicInteger>
#include <QFile>
#include <QSqlError>
#include <fcntl.h>
#include <unistd.h>

namespace parlumo {

namespace {

constexpr int kBusyTimeoutMs = 10000;

QString nextPrefix() {
    static QAtomicInteger<quint64> serial;
    return QStringLiteral("parlumo-db-%1-").arg(serial.fetchAndAddRelaxed(1));
}

// The database holds the user's records: it is created readable by the user alone.
void createPrivateFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0)
        ::close(fd);
}

QString describe(const QSqlError& error, const QString& statement) {
    return error.text() + QStringLiteral(" [") + statement + QLatin1Char(']');
}

} // namespace

Database::Database(QString filePath) : filePath_(std::move(filePath)), namePrefix_(nextPrefix()) {}

Database::~Database() {
    std::lock_guard lock(mutex_);
    for (auto it = connections_.cbegin(); it != connections_.cend(); ++it) {
        {
            QSqlDatabase db = QSqlDatabase::database(it.key(), false);
            db.close();
        }
        QSqlDatabase::removeDatabase(it.key());
    }
}

// Thread ids are reused once a thread ends; this serial is unique to each thread of the process.
QString Database::connectionName(const QString& reader) const {
    static QAtomicInteger<quint64> threads;
    thread_local const quint64 threadSerial = threads.fetchAndAddRelaxed(1);
    const QString name = namePrefix_ + QString::number(threadSerial);
    return reader.isEmpty() ? name : name + QLatin1Char('-') + reader;
}

QSqlDatabase Database::connection(const QString& reader) {
    const QString name = connectionName(reader);
    QSqlDatabase db;
    {
        std::lock_guard lock(mutex_);
        if (!connections_.contains(name)) {
            db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(filePath_);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
            connections_.insert(name, true);
        } else {
            db = QSqlDatabase::database(name, false);
        }
    }
    if (!db.isOpen())
        open(db);
    return db;
}

void Database::open(QSqlDatabase& db) {
    if (!QFile::exists(filePath_))
        createPrivateFile(filePath_);
    if (!db.open())
        throw DatabaseError(QStringLiteral("无法打开数据库 %1: %2").arg(filePath_, db.lastError().text()));
    QSqlQuery pragma(db);
    pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    // In WAL mode a commit is in the log file when it returns, safe from the program ending at
    // any moment; the log is synced to the disk at each checkpoint rather than at every commit.
    pragma.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    std::lock_guard lock(mutex_);
    if (schemaReady_)
        return;
    for (const QString& statement : schemaStatements()) {
        QSqlQuery create(db);
        if (!create.exec(statement))
            throw DatabaseError(describe(create.lastError(), statement));
    }
    schemaReady_ = true;
}

namespace {

QSqlQuery prepared(const QSqlDatabase& connection, const QString& text) {
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    if (!query.prepare(text))
        throw DatabaseError(describe(query.lastError(), text));
    return query;
}

} // namespace

QSqlQuery Database::execute(const SqlText& statement, const QString& reader) {
    QSqlQuery query = prepared(connection(reader), statement.text());
    run(query, statement.values());
    return query;
}

QSqlQuery Database::prepare(const QString& text) {
    return prepared(connection(), text);
}

void Database::run(QSqlQuery& prepared, const QVariantList& values) {
    for (qsizetype i = 0; i < values.size(); ++i)
        prepared.bindValue(static_cast<int>(i), values[i]);
    if (!prepared.exec())
        throw DatabaseError(describe(prepared.lastError(), prepared.lastQuery()));
}

qint64 Database::insert(const SqlText& statement) {
    return execute(statement).lastInsertId().toLongLong();
}

void Database::createIfMissing() {
    if (QFile::exists(filePath_))
        return;
    connection();
    close();
}

namespace {

// The columns of each table of the program's schema, as a fresh database has them.
QHash<QString, QStringList> schemaColumns() {
    QHash<QString, QStringList> tables;
    const QString name = nextPrefix() + QStringLiteral("schema");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(QStringLiteral(":memory:"));
        db.open();
        for (const QString& statement : schemaStatements())
            QSqlQuery(db).exec(statement);
        for (const QString& table : db.tables()) {
            QSqlQuery columns(db);
            columns.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table));
            while (columns.next())
                tables[table] << columns.value(1).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return tables;
}

} // namespace

void Database::verify() {
    const auto unusable = [this](const QString& reason) {
        return DatabaseError(QStringLiteral("数据库 %1 无法使用: %2").arg(filePath_, reason));
    };
    QSqlDatabase db;
    try {
        db = connection();
    } catch (const DatabaseError& error) {
        throw unusable(error.reason());
    }
    QSqlQuery check(db);
    if (!check.exec(QStringLiteral("PRAGMA quick_check")) || !check.next())
        throw unusable(check.lastError().text());
    if (check.value(0).toString() != QLatin1String("ok"))
        throw unusable(check.value(0).toString());
    const QHash<QString, QStringList> schema = schemaColumns();
    for (auto table = schema.cbegin(); table != schema.cend(); ++table) {
        QSqlQuery columns(db);
        columns.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table.key()));
        QStringList present;
        while (columns.next())
            present << columns.value(1).toString().toLower();
        if (present.isEmpty())
            throw unusable(QStringLiteral("缺少表 %1").arg(table.key()));
        for (const QString& column : table.value())
            if (!present.contains(column.toLower()))
                throw unusable(QStringLiteral("表 %1 缺少列 %2").arg(table.key(), column));
    }
}

void Database::close() {
    const QString name = connectionName();
    std::lock_guard lock(mutex_);
    if (connections_.contains(name))
        QSqlDatabase::database(name, false).close();
}

void Database::releaseThreadConnection(const QString& reader) {
    const QString name = connectionName(reader);
    std::lock_guard lock(mutex_);
    if (!connections_.remove(name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace parlumo
