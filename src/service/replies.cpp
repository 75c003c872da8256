#include "service/replies.h"

#include "text/split_fields.h"
#include "text/trim_controls.h"

namespace parlumo {

QStringList splitRecord(const QString& reply, QChar delimiter) {
    return SplitFields(protectSpaces(reply), delimiter);
}

QList<QStringList> splitRecordList(const QString& reply, QChar recordDelimiter) {
    QList<QStringList> records;
    for (const QString& record : SplitFields(protectSpaces(reply), recordDelimiter)) {
        QStringList fields = SplitFields(record, QLatin1Char('|'));
        for (QString& field : fields)
            field = restoreSpaces(field);
        records.append(fields);
    }
    return records;
}

// A character of the private use area that the reply does not hold stands in for the separator.
QList<QStringList> splitRecordList(const QString& reply, const QString& recordSeparator) {
    char16_t stand = 0xE000;
    while (reply.contains(QChar(stand)))
        ++stand;
    QString marked = reply;
    marked.replace(recordSeparator, QString(QChar(stand)));
    return splitRecordList(marked, QChar(stand));
}

bool isResultCode(const QString& reply) {
    return trimControls(reply).size() < 4;
}

} // namespace parlumo
