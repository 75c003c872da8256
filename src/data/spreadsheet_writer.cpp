#include "data/spreadsheet_writer.h"

#include "text/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <cstdio>
#include <xlsxwriter.h>

namespace parlumo {

namespace {

class Workbook {
public:
    explicit Workbook(const QString& path) : path_(QFile::encodeName(path)) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        book_ = workbook_new_opt(path_.constData(), &options);
        if (!book_)
            throw Error(QStringLiteral("cannot create %1").arg(path));
    }
    ~Workbook() {
        if (book_)
            workbook_close(book_);
    }
    lxw_workbook* get() { return book_; }
    void close() {
        const lxw_error result = workbook_close(book_);
        book_ = nullptr;
        if (result != LXW_NO_ERROR)
            throw Error(QString::fromUtf8(lxw_strerror(result)));
    }

private:
    QByteArray path_;
    lxw_workbook* book_ = nullptr;
};

void check(lxw_error result) {
    if (result != LXW_NO_ERROR)
        throw Error(QString::fromUtf8(lxw_strerror(result)));
}

} // namespace

void writeSpreadsheet(const QString& path, const QStringList& header, const QList<QStringList>& rows) {
    const QFileInfo target(path);
    const QString temporary = target.absoluteDir().filePath(
        QStringLiteral(".%1.%2.tmp").arg(target.fileName(), QUuid::createUuid().toString(QUuid::Id128)));
    try {
        Workbook book(temporary);
        lxw_worksheet* sheet = workbook_add_worksheet(book.get(), nullptr);
        lxw_format* format = workbook_add_format(book.get());
        if (!sheet || !format)
            throw Error(QStringLiteral("cannot add a worksheet"));
        format_set_font_name(format, "宋体");
        format_set_font_size(format, 10);
        format_set_border(format, LXW_BORDER_THIN);
        const auto columns = static_cast<lxw_col_t>(header.size());
        for (lxw_col_t c = 0; c < columns; ++c)
            check(worksheet_set_column(sheet, c, c, 16, nullptr));
        auto writeRow = [&](lxw_row_t row, const QStringList& values) {
            for (lxw_col_t c = 0; c < columns; ++c) {
                const QByteArray text = c < values.size() ? values[c].toUtf8() : QByteArray();
                check(text.isEmpty() ? worksheet_write_blank(sheet, row, c, format)
                                     : worksheet_write_string(sheet, row, c, text.constData(), format));
            }
        };
        writeRow(0, header);
        for (qsizetype r = 0; r < rows.size(); ++r)
            writeRow(static_cast<lxw_row_t>(r + 1), rows[r]);
        book.close();
        if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0)
            throw Error(QStringLiteral("cannot replace %1").arg(path));
    } catch (const Error&) {
        QFile::remove(temporary);
        throw;
    }
}

} // namespace parlumo
