#include "voice/vlist_record.h"

#include "text/trim_controls.h"

namespace parlumo {

SqlText vlistInsert(const VlistRecord& record) {
    SqlText statement(QStringLiteral("insert into vlist(uid,snum,mode,fcount,vno,tmoney,vtxt,vfile,tag)values("));
    const QString values[] = {record.uid, record.snum, record.mode, record.fcount, record.vno};
    for (const QString& value : values)
        statement.value(trimControls(value)).add(QStringLiteral(","));
    statement.value(QStringLiteral("0")).add(QStringLiteral(","));
    statement.value(trimControls(record.vtxt)).add(QStringLiteral(","));
    statement.value(trimControls(record.vfile)).add(QStringLiteral(","));
    statement.value(QStringLiteral("成功")).add(QStringLiteral(")"));
    return statement;
}

} // namespace parlumo
