#pragma once

#include "data/sql_text.h"

#include <QString>

namespace parlumo {

// One accepted voice task or direct call as the records list it. The values are trimmed when
// the row is written; the charge column holds "0" and the status "成功".
struct VlistRecord {
    QString uid;
    QString snum;
    QString mode;
    QString fcount;
    QString vno;
    QString vtxt;
    QString vfile;
};

inline const QString kDirectCallMode = QStringLiteral("5");

// The insert of the row into `vlist`, every value bound.
SqlText vlistInsert(const VlistRecord& record);

} // namespace parlumo
