#include "data/spreadsheet_reader.h"

#include "data/biff_workbook.h"
#include "data/compound_file.h"
#include "data/zip_archive.h"
#include "text/error.h"
#include "text/gbk.h"
#include "text/trim_controls.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>
#include <QXmlStreamReader>

namespace parlumo {

namespace {

quint64 key(int row, int column) {
    return (static_cast<quint64>(row) << 32) | static_cast<quint32>(column);
}

// The largest sheet that spreadsheet programs write: rows 1 to 1048576, columns A to XFD.
constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;

bool inSheet(int row, int column) {
    return row > 0 && row <= kMaxRows && column > 0 && column <= kMaxColumns;
}

// "B12" -> row 12, column 2; false for anything that names no cell of a sheet.
bool parseReference(QStringView reference, int& row, int& column) {
    column = 0;
    qsizetype i = 0;
    // Four letters are one more than the last column needs, and cannot overflow.
    for (; i < reference.size() && i < 4; ++i) {
        const char16_t letter = reference[i].toUpper().unicode();
        if (letter < u'A' || letter > u'Z')
            break;
        column = column * 26 + (letter - u'A' + 1);
    }
    bool ok = false;
    row = reference.mid(i).toInt(&ok);
    return ok && inSheet(row, column);
}

QStringList readSharedStrings(const QByteArray& xml) {
    QStringList strings;
    QXmlStreamReader reader(xml);
    QString current;
    bool inItem = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("si")) {
            inItem = true;
            current.clear();
        } else if (inItem && reader.isStartElement() && reader.name() == QLatin1String("t")) {
            current += reader.readElementText();
        } else if (reader.isStartElement() && reader.name() == QLatin1String("rPh")) {
            reader.skipCurrentElement(); // phonetic hints are not part of the text
        } else if (reader.isEndElement() && reader.name() == QLatin1String("si")) {
            strings << current;
            inItem = false;
        }
    }
    return strings;
}

// The path of the workbook's first sheet inside the package.
QString firstSheetPath(const ZipArchive& zip) {
    QXmlStreamReader workbook(zip.entry(QStringLiteral("xl/workbook.xml")));
    QString relation;
    while (!workbook.atEnd() && relation.isEmpty()) {
        workbook.readNext();
        if (workbook.isStartElement() && workbook.name() == QLatin1String("sheet"))
            for (const QXmlStreamAttribute& attribute : workbook.attributes())
                if (attribute.name() == QLatin1String("id"))
                    relation = attribute.value().toString();
    }
    QXmlStreamReader relations(zip.entry(QStringLiteral("xl/_rels/workbook.xml.rels")));
    while (!relations.atEnd()) {
        relations.readNext();
        if (relations.isStartElement() && relations.name() == QLatin1String("Relationship") &&
            relations.attributes().value(QLatin1String("Id")) == relation) {
            QString target = relations.attributes().value(QLatin1String("Target")).toString();
            return target.startsWith(QLatin1Char('/')) ? target.mid(1) : QStringLiteral("xl/") + target;
        }
    }
    return QStringLiteral("xl/worksheets/sheet1.xml");
}

void readXlsx(const QString& path, SpreadsheetReader& sheet) {
    const ZipArchive zip(path);
    if (!zip.isOpen())
        throw Error(QStringLiteral("无法打开表格文件：%1").arg(path));
    QStringList shared;
    QByteArray xml;
    try {
        shared = readSharedStrings(zip.entry(QStringLiteral("xl/sharedStrings.xml")));
        xml = zip.entry(firstSheetPath(zip));
    } catch (const Error& error) {
        throw SpreadsheetContentError(QStringLiteral("%1: %2").arg(path, error.reason()));
    }
    if (xml.isEmpty())
        throw SpreadsheetContentError(QStringLiteral("表格文件中没有工作表：%1").arg(path));
    QXmlStreamReader reader(xml);
    int row = 0, column = 0, nextRow = 0, nextColumn = 0;
    bool sharedString = false;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = reader.name();
        if (name == QLatin1String("row")) {
            const int number = reader.attributes().value(QLatin1String("r")).toInt();
            nextRow = number > 0 && number <= kMaxRows ? number : qMin(nextRow, kMaxRows) + 1;
            nextColumn = 0;
        } else if (name == QLatin1String("c")) {
            // Each call of attributes() copies them all: once per cell.
            const QXmlStreamAttributes attributes = reader.attributes();
            sharedString = attributes.value(QLatin1String("t")) == QLatin1String("s");
            const QStringView reference = attributes.value(QLatin1String("r"));
            if (reference.isEmpty() || !parseReference(reference, row, column)) {
                row = nextRow;
                column = qMin(nextColumn, kMaxColumns) + 1;
            }
            nextColumn = column;
        } else if (!inSheet(row, column)) {
            continue; // a cell outside any sheet is no part of it
        } else if (name == QLatin1String("v")) {
            const QString value = reader.readElementText();
            if (sharedString) {
                const int index = value.toInt();
                sheet.setCell(row, column, index >= 0 && index < shared.size() ? shared[index] : QString());
            } else {
                sheet.setCell(row, column, value);
            }
        } else if (name == QLatin1String("is")) {
            QString text;
            while (!(reader.isEndElement() && reader.name() == QLatin1String("is")) && !reader.atEnd()) {
                reader.readNext();
                if (reader.isStartElement() && reader.name() == QLatin1String("t"))
                    text += reader.readElementText();
            }
            sheet.setCell(row, column, text);
        }
    }
    if (reader.hasError())
        throw SpreadsheetContentError(QStringLiteral("%1: %2").arg(path, reader.errorString()));
}

void readXls(const QString& path, SpreadsheetReader& sheet) {
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!CompoundFile::hasSignature(bytes))
        throw Error(QStringLiteral("无法打开表格文件：%1").arg(path));
    try {
        const CompoundFile container(std::move(bytes));
        const QByteArray workbook = container.stream({QStringLiteral("Workbook"), QStringLiteral("Book")});
        if (workbook.isNull())
            throw Error(QStringLiteral("文件中没有工作簿"));
        readBiffWorksheet(workbook, sheet);
    } catch (const Error& error) {
        throw SpreadsheetContentError(QStringLiteral("%1: %2").arg(path, error.reason()));
    }
}

// A CSV line's fields: commas separate, double quotes enclose, a doubled quote stands for one.
QStringList csvFields(const QString& line) {
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    }
    fields << field;
    return fields;
}

void readCsv(const QString& path, SpreadsheetReader& sheet) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(file.errorString());
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = fromGbk(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype r = 0; r < lines.size(); ++r) {
        const QStringList fields = csvFields(lines[r]);
        for (qsizetype c = 0; c < fields.size(); ++c)
            sheet.setCell(static_cast<int>(r) + 1, static_cast<int>(c) + 1, fields[c]);
    }
}

} // namespace

SpreadsheetReader SpreadsheetReader::open(const QString& path) {
    SpreadsheetReader sheet;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (!QFileInfo(path).isFile())
        throw Error(QStringLiteral("文件不存在：%1").arg(path));
    if (suffix == QLatin1String("csv"))
        readCsv(path, sheet);
    else if (suffix == QLatin1String("xls"))
        readXls(path, sheet);
    else
        readXlsx(path, sheet);
    return sheet;
}

QString SpreadsheetReader::cell(int row, int column) const {
    return cells_.value(key(row, column));
}

void SpreadsheetReader::setCell(int row, int column, const QString& text) {
    const QString value = trimControls(text);
    if (value.isEmpty() || row <= 0 || column <= 0)
        return;
    cells_.insert(key(row, column), value);
    usedRows_ = qMax(usedRows_, row);
}

} // namespace parlumo
