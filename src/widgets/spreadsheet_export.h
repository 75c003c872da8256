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
