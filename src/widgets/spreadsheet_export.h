#pragma once

#include "data/sql_text.h"

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace parlumo {

class Database;
class FileDialogs;
class MessageBoxes;

// Writes an .xlsx workbook: worksheet 1, the header in row 1, one row of texts per record from
// row 2, and the block from A1 to the last column and row in font "宋体" size 10 with
// continuous borders. Every value is written as text. The file goes through a temporary file
// renamed over the target. Raises Error when anything fails.
void writeSpreadsheet(const QString& path, const QStringList& header, const QList<QStringList>& rows);

// One column of a record export: its header caption and the query field it shows.
struct ExportColumn {
    QString caption;
    QString field;
};

// The spreadsheet export of the list screens and the number memos: asks for the file, writes
// it and tells the user how it went.
class SpreadsheetExport {
public:
    SpreadsheetExport(MessageBoxes& messages, FileDialogs& fileDialogs)
        : messages_(messages), dialogs_(fileDialogs) {}

    // Runs the screen's query again and exports exactly what it lists.
    void exportRecords(QWidget* parent,
                       Database& database,
                       const SqlText& query,
                       const QList<ExportColumn>& columns);
    // Exports a number memo's items under one header caption; an empty memo does nothing.
    void exportNumbers(QWidget* parent, const QString& memoText, const QString& caption);

private:
    QString askForFile(QWidget* parent);
    void
    write(QWidget* parent, const QString& path, const QStringList& header, const QList<QStringList>& rows);

    MessageBoxes& messages_;
    FileDialogs& dialogs_;
};

} // namespace parlumo
