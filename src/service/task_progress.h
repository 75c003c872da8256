#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

namespace parlumo {

// One per-number result of a voice or fax task, as the progress page sends it.
struct ProgressRecord {
    QString number;
    QString duration;
    QString cost;
    QString status;

    bool operator==(const ProgressRecord&) const = default;
};

// What one answer of a progress page holds.
struct ProgressReply {
    enum class End {
        // Too short to hold a record: nothing is stored and the list stays as it is.
        Ignored,
        // Every record was read: they are stored and the list is read again.
        Complete,
        // A record with too few fields ended the reading: the records before it are stored and
        // the list is not read again.
        Broken,
    };
    End end = End::Ignored;
    // The records to store, in the order they came.
    QList<ProgressRecord> records;
};

// Reads a progress page's answer: records ended by "\", fields separated by "|" (field 2 the
// number, 3 the duration, 4 the cost, 5 the status, blanks kept). An answer of 5 characters or
// fewer after trimming is ignored; the element after the last "\" is never a record.
ProgressReply readProgressReply(const QString& reply);

// The address of a progress page for one task: "?uid=&pwd=&snum=&o=" with the account's
// credentials and the task number trimmed, and the moment of the poll as local date and time
// ("2008-11-27 9:05:03").
QString progressPageUrl(const QString& host,
                        const QString& page,
                        const QString& uid,
                        const QString& pwd,
                        const QString& snum,
                        const QDateTime& moment);

} // namespace parlumo
