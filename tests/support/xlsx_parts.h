#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

namespace parlumo::test {

// The raw XML of one part of an .xlsx package, for checks that the reader does not expose.
QByteArray xlsxPart(const QString& path, const QString& part);

// One cell of a test's own workbook, row and column counted from 1. A double is written as a
// number, anything else as text.
struct SheetCell {
    int row;
    int column;
    QVariant value;
};

// Writes an .xlsx workbook with libxlsxwriter holding only the given cells in worksheet 1, so
// its used range starts at the first row given.
void writeWorkbook(const QString& path, const QList<SheetCell>& cells);

// Writes a zip package made of the given parts, for files no spreadsheet program would write.
void writePackage(const QString& path, const QList<QPair<QString, QByteArray>>& parts);

// A spreadsheet file that a test reads as it is, from tests/data/spreadsheets.
QString spreadsheetFixture(const QString& name);

} // namespace parlumo::test
