#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace parlumo {

// Writes an .xlsx workbook: worksheet 1, the header in row 1, one row of texts per record from
// row 2, and the block from A1 to the last column and row in font "宋体" size 10 with
// continuous borders. Every value is written as text. The file goes through a temporary file
// renamed over the target. Raises Error when anything fails.
void writeSpreadsheet(const QString& path, const QStringList& header, const QList<QStringList>& rows);

} // namespace parlumo
