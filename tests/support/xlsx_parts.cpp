#include "tests/support/xlsx_parts.h"

#include "data/zip_archive.h"

#include <QFile>
#include <minizip/zip.h>
#include <stdexcept>
#include <xlsxwriter.h>

namespace parlumo::test {

QByteArray xlsxPart(const QString& path, const QString& part) {
    return ZipArchive(path).entry(part);
}

void writeWorkbook(const QString& path, const QList<SheetCell>& cells) {
    lxw_workbook* book = workbook_new(QFile::encodeName(path).constData());
    if (!book)
        throw std::runtime_error("cannot create " + path.toStdString());
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    for (const SheetCell& cell : cells) {
        const auto row = static_cast<lxw_row_t>(cell.row - 1);
        const auto column = static_cast<lxw_col_t>(cell.column - 1);
        if (cell.value.typeId() == QMetaType::Double)
            worksheet_write_number(sheet, row, column, cell.value.toDouble(), nullptr);
        else
            worksheet_write_string(sheet, row, column, cell.value.toString().toUtf8().constData(), nullptr);
    }
    if (workbook_close(book) != LXW_NO_ERROR)
        throw std::runtime_error("cannot write " + path.toStdString());
}

void writePackage(const QString& path, const QList<QPair<QString, QByteArray>>& parts) {
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    if (!zip)
        throw std::runtime_error("cannot create " + path.toStdString());
    for (const auto& [name, bytes] : parts) {
        const zip_fileinfo info{};
        if (zipOpenNewFileInZip64(zip,
                                  name.toUtf8().constData(),
                                  &info,
                                  nullptr,
                                  0,
                                  nullptr,
                                  0,
                                  nullptr,
                                  Z_DEFLATED,
                                  Z_DEFAULT_COMPRESSION,
                                  0) != ZIP_OK ||
            zipWriteInFileInZip(zip, bytes.constData(), static_cast<unsigned>(bytes.size())) != ZIP_OK ||
            zipCloseFileInZip(zip) != ZIP_OK) {
            zipClose(zip, nullptr);
            throw std::runtime_error("cannot write " + path.toStdString());
        }
    }
    zipClose(zip, nullptr);
}

QString spreadsheetFixture(const QString& name) {
    return QStringLiteral(PARLUMO_TEST_DATA "/spreadsheets/") + name;
}

} // namespace parlumo::test
