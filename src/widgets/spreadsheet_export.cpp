#include "widgets/spreadsheet_export.h"

#include "data/database.h"
#include "data/number_list.h"
#include "data/spreadsheet_writer.h"
#include "text/error.h"
#include "toolkit/file_dialogs.h"
#include "toolkit/message_box.h"

#include <QFileInfo>
#include <QSqlQuery>

namespace parlumo {

QString SpreadsheetExport::askForFile(QWidget* parent) {
    QString path = dialogs_.saveFile(
        parent,
        FileDialogRequest{
            QStringLiteral("导出"), QStringLiteral("Excel 工作簿|*.xlsx"), QString(), QString()});
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".xlsx");
    return path;
}

void SpreadsheetExport::write(QWidget* parent,
                              const QString& path,
                              const QStringList& header,
                              const QList<QStringList>& rows) {
    try {
        writeSpreadsheet(path, header, rows);
    } catch (const Error&) {
        messages_.inform(
            parent, QStringLiteral("提示信息"), QStringLiteral("导入数据出错！请检查文件的格式是否正确！"));
        return;
    }
    messages_.inform(parent, QStringLiteral("导出"), QStringLiteral("数据导出成功!"), MessageIcon::Warning);
}

void SpreadsheetExport::exportRecords(QWidget* parent,
                                      Database& database,
                                      const SqlText& query,
                                      const QList<ExportColumn>& columns) {
    const QString path = askForFile(parent);
    if (path.isEmpty())
        return;
    QStringList header;
    for (const ExportColumn& column : columns)
        header << column.caption;
    QList<QStringList> rows;
    try {
        QSqlQuery records = database.execute(query);
        while (records.next()) {
            QStringList row;
            for (const ExportColumn& column : columns)
                row << records.value(column.field).toString();
            rows.append(row);
        }
    } catch (const Error&) {
        messages_.inform(
            parent, QStringLiteral("提示信息"), QStringLiteral("导入数据出错！请检查文件的格式是否正确！"));
        return;
    }
    write(parent, path, header, rows);
}

void SpreadsheetExport::exportNumbers(QWidget* parent, const QString& memoText, const QString& caption) {
    if (memoText.isEmpty())
        return;
    const QString path = askForFile(parent);
    if (path.isEmpty())
        return;
    QList<QStringList> rows;
    for (const QString& item : splitNumberList(joinMemo(memoText, kExportJoin)))
        rows.append(QStringList{item});
    write(parent, path, {caption}, rows);
}

} // namespace parlumo
