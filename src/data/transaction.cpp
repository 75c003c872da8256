#include "data/transaction.h"

#include "data/database.h"

#include <QSqlError>

namespace parlumo {

Transaction::Transaction(Database& database) : connection_(database.connection()) {
    if (!connection_.transaction())
        throw DatabaseError(QStringLiteral("无法开始事务: %1").arg(connection_.lastError().text()));
}

Transaction::~Transaction() {
    if (pending_)
        connection_.rollback();
}

void Transaction::commit() {
    if (!connection_.commit()) {
        const QString reason = connection_.lastError().text();
        connection_.rollback();
        pending_ = false;
        throw DatabaseError(QStringLiteral("无法提交事务: %1").arg(reason));
    }
    pending_ = false;
}

} // namespace parlumo
