#include "service/task_progress.h"

#include "service/query.h"
#include "service/replies.h"
#include "text/split_fields.h"
#include "text/trim_controls.h"

namespace parlumo {

namespace {

constexpr qsizetype kLongestIgnoredReply = 5;

ProgressRecord progressRecord(const QStringList& fields) {
    return ProgressRecord{fieldAt(fields, 2), fieldAt(fields, 3), fieldAt(fields, 4), fieldAt(fields, 5)};
}

} // namespace

ProgressReply readProgressReply(const QString& reply) {
    ProgressReply read;
    if (trimControls(reply).size() <= kLongestIgnoredReply)
        return read;
    const QList<QStringList> elements = splitRecordList(reply, QLatin1Char('\\'));
    read.end = ProgressReply::End::Complete;
    for (qsizetype i = 0; i + 1 < elements.size(); ++i) {
        try {
            read.records.append(progressRecord(elements[i]));
        } catch (const FieldError&) {
            read.end = ProgressReply::End::Broken;
            break;
        }
    }
    return read;
}

QString progressPageUrl(const QString& host,
                        const QString& page,
                        const QString& uid,
                        const QString& pwd,
                        const QString& snum,
                        const QDateTime& moment) {
    return QueryUrl(host, page)
        .add(QStringLiteral("uid"), uid.trimmed())
        .add(QStringLiteral("pwd"), pwd.trimmed())
        .add(QStringLiteral("snum"), snum.trimmed())
        .add(QStringLiteral("o"), moment.toString(QStringLiteral("yyyy-MM-dd H:mm:ss")))
        .text();
}

} // namespace parlumo
