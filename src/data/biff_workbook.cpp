#include "data/biff_workbook.h"

#include "data/spreadsheet_reader.h"
#include "text/error.h"

#include <QByteArrayList>
#include <QList>
#include <QStringDecoder>
#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <optional>

namespace parlumo {

namespace {

enum RecordType : quint16 {
    kBof = 0x0809,
    kEof = 0x000A,
    kFilePass = 0x002F,
    kCodePage = 0x0042,
    kBoundSheet = 0x0085,
    kSst = 0x00FC,
    kContinue = 0x003C,
    kLabelSst = 0x00FD,
    kLabel = 0x0204,
    kRichLabel = 0x00D6,
    kNumber = 0x0203,
    kRk = 0x027E,
    kMulRk = 0x00BD,
    kFormula = 0x0006,
    kFormulaString = 0x0207,
    kBoolErr = 0x0205,
};

constexpr quint16 kBiff5 = 0x0500;
constexpr quint16 kBiff8 = 0x0600;
constexpr quint16 kGlobalsPart = 0x0005;
constexpr quint8 kWorksheet = 0;

[[noreturn]] void damaged(const char* what) {
    throw Error(QStringLiteral("工作簿已损坏：%1").arg(QLatin1String(what)));
}

// Little-endian values read from a record's body, or from a record joined with its CONTINUE
// records (`continues` holds where each of them starts), every read checked against the end.
class ByteReader {
public:
    explicit ByteReader(QByteArrayView data, QList<qsizetype> continues = {})
        : data_(data), continues_(std::move(continues)) {}

    bool atEnd() const { return pos_ >= data_.size(); }
    qsizetype left() const { return data_.size() - pos_; }

    QByteArrayView bytes(qint64 count) {
        if (count < 0 || count > left())
            damaged("record shorter than its contents");
        const QByteArrayView view = data_.sliced(pos_, count);
        pos_ += count;
        return view;
    }
    void skip(qint64 count) { bytes(count); }
    quint8 u8() { return static_cast<quint8>(bytes(1)[0]); }
    quint16 u16() { return qFromLittleEndian<quint16>(bytes(2).data()); }
    quint32 u32() { return qFromLittleEndian<quint32>(bytes(4).data()); }
    double f64() {
        const quint64 bits = qFromLittleEndian<quint64>(bytes(8).data());
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // A BIFF8 string: its length in characters (1 or 2 bytes), an option byte, then 8-bit
    // (Latin-1) or UTF-16 characters, then rich-text runs and phonetic data, which are skipped.
    // Where the characters go on in a CONTINUE record, it starts with a fresh option byte.
    QString unicodeString(int lengthBytes) {
        qsizetype length = lengthBytes == 1 ? u8() : u16();
        const quint8 options = u8();
        const qint64 runs = options & 0x08 ? u16() : 0;
        const qint64 phonetic = options & 0x04 ? u32() : 0;
        bool wide = options & 0x01;
        QString text;
        while (length > 0) {
            auto next = std::lower_bound(continues_.cbegin(), continues_.cend(), pos_);
            if (next != continues_.cend() && *next == pos_) {
                wide = u8() & 0x01;
                ++next;
            }
            const qsizetype end = next != continues_.cend() ? *next : data_.size();
            const qsizetype width = wide ? 2 : 1;
            const qsizetype count = qMin(length, (end - pos_) / width);
            if (count == 0)
                damaged("string cut short");
            const QByteArrayView chars = bytes(count * width);
            for (qsizetype i = 0; i < count; ++i)
                text += wide ? QChar(qFromLittleEndian<quint16>(chars.data() + 2 * i))
                             : QChar(static_cast<uchar>(chars[i]));
            length -= count;
        }
        skip(runs * 4 + phonetic);
        return text;
    }

private:
    QByteArrayView data_;
    QList<qsizetype> continues_;
    qsizetype pos_ = 0;
};

struct Record {
    quint16 type = 0;
    QByteArrayView body;
};

// The records of a workbook stream from a given offset: a type, a length and that many bytes.
class RecordStream {
public:
    RecordStream(QByteArrayView stream, qint64 at) : stream_(stream), pos_(at) {}

    // False at the end of the stream; raises Error for a record that runs past it.
    bool next(Record& record) {
        if (pos_ < 0 || pos_ + 4 > stream_.size())
            return false;
        const quint16 length = qFromLittleEndian<quint16>(stream_.data() + pos_ + 2);
        if (length > stream_.size() - pos_ - 4)
            damaged("record runs past the end of the workbook");
        record = {qFromLittleEndian<quint16>(stream_.data() + pos_), stream_.sliced(pos_ + 4, length)};
        pos_ += 4 + length;
        return true;
    }
    quint16 nextType() const {
        return pos_ >= 0 && pos_ + 4 <= stream_.size() ? qFromLittleEndian<quint16>(stream_.data() + pos_) : 0;
    }

private:
    QByteArrayView stream_;
    qint64 pos_;
};

// An RK value: a 30-bit integer or the high 30 bits of a double, optionally hundredfold.
double rkValue(quint32 rk) {
    double value;
    if (rk & 0x02) {
        value = static_cast<qint32>(rk) >> 2;
    } else {
        const quint64 bits = static_cast<quint64>(rk & 0xFFFFFFFC) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return rk & 0x01 ? value / 100 : value;
}

// The digits of a number as a spreadsheet shows them in the General format: 2741.0 as 2741,
// 13800138000.0 as 13800138000.
QString numberText(double value) {
    return QString::number(value, 'g', 15);
}

QString errorText(quint8 code) {
    switch (code) {
    case 0x00: return QStringLiteral("#NULL!");
    case 0x07: return QStringLiteral("#DIV/0!");
    case 0x0F: return QStringLiteral("#VALUE!");
    case 0x17: return QStringLiteral("#REF!");
    case 0x1D: return QStringLiteral("#NAME?");
    case 0x24: return QStringLiteral("#NUM!");
    case 0x2A: return QStringLiteral("#N/A");
    default: return {};
    }
}

// Boolean and error cells read as .xlsx files store them: 1 or 0, or the error's text.
QString boolOrErrorText(quint8 value, bool isError) {
    return isError ? errorText(value) : QString::number(value ? 1 : 0);
}

// The decoder of BIFF5's 8-bit texts, which are in the workbook's Windows code page.
QStringDecoder codePageDecoder(quint16 codePage) {
    const QByteArray number = QByteArray::number(codePage);
    QByteArrayList names{"windows-" + number, "cp" + number, "windows-1252"};
    if (codePage == 367)
        names.prepend("US-ASCII");
    if (codePage == 10000 || codePage == 32768)
        names.prepend("macintosh");
    for (const QByteArray& name : names) {
        QStringDecoder decoder(name.constData(), QStringConverter::Flag::Stateless);
        if (decoder.isValid())
            return decoder;
    }
    return QStringDecoder(QStringConverter::Latin1, QStringConverter::Flag::Stateless);
}

class BiffWorkbook {
public:
    explicit BiffWorkbook(const QByteArray& stream) : stream_(stream) { readGlobals(); }

    void readFirstWorksheet(SpreadsheetReader& sheet) {
        RecordStream records(stream_, firstWorksheet_);
        Record record;
        if (!records.next(record) || record.type != kBof)
            damaged("worksheet not found at its offset");
        int nesting = 0;
        std::optional<std::pair<int, int>> formulaWithText;
        while (records.next(record)) {
            if (record.type == kBof) {
                ++nesting; // an embedded chart or other part inside the worksheet
            } else if (record.type == kEof) {
                if (nesting-- == 0)
                    return;
            } else if (nesting == 0) {
                ByteReader body(record.body);
                if (record.type == kFormulaString) {
                    if (formulaWithText)
                        sheet.setCell(formulaWithText->first, formulaWithText->second, text(body));
                    formulaWithText.reset();
                } else if (isCell(record.type)) {
                    const int row = body.u16() + 1;
                    const int column = body.u16() + 1;
                    body.skip(2); // the cell's format
                    formulaWithText.reset();
                    if (record.type != kFormula)
                        readCell(record.type, body, row, column, sheet);
                    else if (readFormula(body, row, column, sheet))
                        formulaWithText = std::pair(row, column);
                }
            }
        }
    }

private:
    static bool isCell(quint16 type) {
        return type == kLabelSst || type == kLabel || type == kRichLabel || type == kNumber || type == kRk ||
               type == kMulRk || type == kBoolErr || type == kFormula;
    }

    void readGlobals() {
        RecordStream records(stream_, 0);
        Record record;
        if (!records.next(record) || record.type != kBof)
            throw Error(QStringLiteral("不是 Excel 工作簿"));
        ByteReader bof(record.body);
        const quint16 version = bof.u16();
        if ((version != kBiff5 && version != kBiff8) || bof.u16() != kGlobalsPart)
            throw Error(QStringLiteral("不支持的 Excel 版本"));
        biff8_ = version == kBiff8;
        while (records.next(record) && record.type != kEof) {
            ByteReader body(record.body);
            if (record.type == kFilePass) {
                throw Error(QStringLiteral("工作簿有密码保护"));
            } else if (record.type == kCodePage && !biff8_) {
                decoder_ = codePageDecoder(body.u16());
            } else if (record.type == kBoundSheet && firstWorksheet_ < 0) {
                const quint32 offset = body.u32();
                body.skip(1); // visibility
                if (body.u8() == kWorksheet)
                    firstWorksheet_ = offset;
            } else if (record.type == kSst) {
                QByteArray joined = record.body.toByteArray();
                QList<qsizetype> continues;
                while (records.nextType() == kContinue && records.next(record)) {
                    continues.append(joined.size());
                    joined.append(record.body);
                }
                readSharedStrings(ByteReader(joined, std::move(continues)));
            }
        }
        if (firstWorksheet_ < 0)
            throw Error(QStringLiteral("工作簿中没有工作表"));
    }

    void readSharedStrings(ByteReader reader) {
        reader.skip(4); // references to the strings
        const quint32 count = reader.u32();
        for (quint32 i = 0; i < count && !reader.atEnd(); ++i)
            sharedStrings_.append(reader.unicodeString(2));
    }

    // A cell's text with a two-byte length: BIFF8 strings, or BIFF5 bytes in the code page.
    QString text(ByteReader& body) {
        if (biff8_)
            return body.unicodeString(2);
        const quint16 length = body.u16();
        return decoder_.decode(body.bytes(length));
    }

    void readCell(quint16 type, ByteReader& body, int row, int column, SpreadsheetReader& sheet) {
        switch (type) {
        case kLabelSst: {
            const quint32 index = body.u32();
            if (index < static_cast<quint32>(sharedStrings_.size()))
                sheet.setCell(row, column, sharedStrings_[index]);
            break;
        }
        case kLabel:
        case kRichLabel:
            sheet.setCell(row, column, text(body));
            break;
        case kNumber:
            sheet.setCell(row, column, numberText(body.f64()));
            break;
        case kRk:
            sheet.setCell(row, column, numberText(rkValue(body.u32())));
            break;
        case kMulRk:
            // The first cell's format is already read; each further cell has its own, and the
            // record ends with the last column.
            for (int c = column; body.left() >= 6; ++c) {
                sheet.setCell(row, c, numberText(rkValue(body.u32())));
                body.skip(2);
            }
            break;
        case kBoolErr: {
            const quint8 value = body.u8();
            sheet.setCell(row, column, boolOrErrorText(value, body.u8() != 0));
            break;
        }
        }
    }

    // A formula's last computed value. Returns true when the value is a text that follows in
    // its own record.
    static bool readFormula(ByteReader& body, int row, int column, SpreadsheetReader& sheet) {
        const QByteArrayView result = body.bytes(8);
        if (qFromLittleEndian<quint16>(result.data() + 6) != 0xFFFF) {
            ByteReader number(result);
            sheet.setCell(row, column, numberText(number.f64()));
            return false;
        }
        const quint8 kind = static_cast<quint8>(result[0]);
        if (kind == 1 || kind == 2)
            sheet.setCell(row, column, boolOrErrorText(static_cast<quint8>(result[2]), kind == 2));
        return kind == 0;
    }

    QByteArrayView stream_;
    bool biff8_ = true;
    QStringDecoder decoder_ = codePageDecoder(1252);
    qint64 firstWorksheet_ = -1;
    QStringList sharedStrings_;
};

} // namespace

void readBiffWorksheet(const QByteArray& workbook, SpreadsheetReader& sheet) {
    BiffWorkbook(workbook).readFirstWorksheet(sheet);
}

} // namespace parlumo
