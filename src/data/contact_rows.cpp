#include "data/contact_rows.h"

#include "data/database.h"
#include "data/transaction.h"

namespace parlumo {

namespace {

// An empty cell is stored as empty text, not NULL, so that searches with "like" still find the row.
QString stored(const QString& text) {
    return text.isNull() ? QStringLiteral("") : text;
}

} // namespace

qint64 insertContactRow(Database& database, const QString& uid, qint64 tid, const ContactRow& row) {
    return database.insert(SqlText("insert into telbook (mobno,tname,othertel,memo,uid,tid) values (")
                               .value(stored(row.mobno))
                               .add(",")
                               .value(stored(row.tname))
                               .add(",")
                               .value(stored(row.othertel))
                               .add(",")
                               .value(stored(row.memo))
                               .add(",")
                               .value(stored(uid))
                               .add(",")
                               .value(tid)
                               .add(")"));
}

void updateContactRow(Database& database, qint64 id, const ContactRow& row) {
    database.execute(SqlText("update telbook set mobno=")
                         .value(stored(row.mobno))
                         .add(",tname=")
                         .value(stored(row.tname))
                         .add(",othertel=")
                         .value(stored(row.othertel))
                         .add(",memo=")
                         .value(stored(row.memo))
                         .add(" where id=")
                         .value(id));
}

void insertContactRows(Database& database, const QString& uid, qint64 tid, const QList<ContactRow>& rows) {
    Transaction transaction(database);
    for (const ContactRow& row : rows)
        insertContactRow(database, uid, tid, row);
    transaction.commit();
}

} // namespace parlumo
