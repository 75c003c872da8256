#pragma once

#include <QList>
#include <QString>

namespace parlumo {

class Database;

// One contact of the address book as the user gives it: number, name, other ways to reach the
// contact and a remark (the columns mobno, tname, othertel and memo of telbook).
struct ContactRow {
    QString mobno;
    QString tname;
    QString othertel;
    QString memo;

    friend bool operator==(const ContactRow&, const ContactRow&) = default;
};

// Adds one contact to telbook for the account `uid` in the group `tid` (0: no group) and returns
// its key. Raises DatabaseError.
qint64 insertContactRow(Database& database, const QString& uid, qint64 tid, const ContactRow& row);

// Changes the number, name, other ways and remark of contact `id`. Raises DatabaseError.
void updateContactRow(Database& database, qint64 id, const ContactRow& row);

// Adds the contacts in their order, all in one transaction: either every row is stored or,
// when a statement fails, none is. Raises DatabaseError.
void insertContactRows(Database& database, const QString& uid, qint64 tid, const QList<ContactRow>& rows);

} // namespace parlumo
