#include "data/contact_rows.h"

#include "data/database.h"
#include "data/transaction.h"

namespace parlumo {

namespace {

// An empty cell is stored as empty text, not NULL, so that searches with "like" still find the row.
QString stored(const QString& text) {
    return text.isNull() ? QStringLiteral("") : text;
}

const QString kInsertContact =
    QStringLiteral("insert into telbook (mobno,tname,othertel,memo,uid,tid) values (?,?,?,?,?,?)");

QVariantList contactValues(const QString& uid, qint64 tid, const ContactRow& row) {
    return {stored(row.mobno), stored(row.tname), stored(row.othertel), stored(row.memo), stored(uid), tid};
}

} // namespace

qint64 insertContactRow(Database& database, const QString& uid, qint64 tid, const ContactRow& row) {
    QSqlQuery insert = database.prepare(kInsertContact);
    database.run(insert, contactValues(uid, tid, row));
    return insert.lastInsertId().toLongLong();
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
    QSqlQuery insert = database.prepare(kInsertContact);
    for (const ContactRow& row : rows)
        database.run(insert, contactValues(uid, tid, row));
    transaction.commit();
}

} // namespace parlumo
