#pragma once

#include "text/error.h"

#include <QHash>
#include <QString>

namespace parlumo {

// The file opened as a spreadsheet, but its worksheet cannot be read (a damaged package or sheet).
class SpreadsheetContentError : public Error {
public:
    using Error::Error;
};

// The cells of worksheet 1 of a spreadsheet file (.xlsx, legacy .xls, or .csv), read as text.
class SpreadsheetReader {
public:
    // Raises Error when the file is missing or is no spreadsheet, SpreadsheetContentError when
    // its worksheet cannot be read.
    static SpreadsheetReader open(const QString& path);

    // The text of a cell by row and column, counting from 1, with blanks and control characters
    // at both ends removed; an empty or missing cell reads as empty text.
    QString cell(int row, int column) const;
    // The last row that holds a value (0 for an empty sheet).
    int usedRows() const { return usedRows_; }

    void setCell(int row, int column, const QString& text);

private:
    QHash<quint64, QString> cells_;
    int usedRows_ = 0;
};

} // namespace parlumo
