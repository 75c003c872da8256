#include "mms/mms_records.h"

namespace parlumo {

DateRangeRecordsConfig mmsRecordsConfig() {
    DateRangeRecordsConfig c;
    c.table = QStringLiteral("mms_list");
    c.keyField = QStringLiteral("id");
    c.columns = {{QStringLiteral("snum"), QStringLiteral("编号"), 12},
                 {QStringLiteral("mobcount"), QStringLiteral("数量"), 5},
                 {QStringLiteral("title"), QStringLiteral("标题"), 16},
                 {QStringLiteral("mmsfiles"), QStringLiteral("彩信文件"), 14},
                 {QStringLiteral("intime"), QStringLiteral("发送时间"), 18},
                 {QStringLiteral("tag"), QStringLiteral("状态"), 5}};
    c.carriedFields = {QStringLiteral("mobno"), QStringLiteral("coutent")};
    c.exportColumns = {{QStringLiteral("编号"), QStringLiteral("snum")},
                       {QStringLiteral("数量"), QStringLiteral("mobcount")},
                       {QStringLiteral("标题"), QStringLiteral("title")},
                       {QStringLiteral("彩信接收号码"), QStringLiteral("mobno")},
                       {QStringLiteral("彩信内容"), QStringLiteral("coutent")},
                       {QStringLiteral("彩信文件"), QStringLiteral("mmsfiles")},
                       {QStringLiteral("发送时间"), QStringLiteral("intime")},
                       {QStringLiteral("状态"), QStringLiteral("tag")}};
    c.queryButton = {QStringLiteral("LbSpeedButton5"), QStringLiteral("查询")};
    c.exportButton = {QStringLiteral("LbSpeedButton6"), QStringLiteral("导出记录 *.xls")};
    c.gridCaption = QStringLiteral("点击下面查看号码");
    c.gridHint = QStringLiteral("点击一条记录，在下面查看它的接收号码和彩信内容");
    return c;
}

QString recordNumbersText(const QString& mobno) {
    QString numbers = mobno;
    numbers.replace(QLatin1Char(','), QLatin1Char('\n'));
    numbers.remove(QLatin1Char(' '));
    numbers.remove(QLatin1Char('\r'));
    return numbers;
}

} // namespace parlumo
