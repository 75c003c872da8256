#include "text/split_fields.h"

namespace parlumo {

namespace {

bool isSeparatorBlank(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 32;
}

QStringView untilNul(QStringView text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.first(nul);
}

class Cursor {
public:
    explicit Cursor(QStringView text) : text_(untilNul(text)) {}
    bool atEnd() const { return pos_ >= text_.size(); }
    QChar current() const { return text_[pos_]; }
    bool isLast() const { return pos_ + 1 == text_.size(); }
    void step() { ++pos_; }
    void skipBlanks() {
        while (!atEnd() && isSeparatorBlank(current()))
            ++pos_;
    }

    // The cursor stands on the opening quote.
    QString readQuoted() {
        QString field;
        ++pos_;
        while (!atEnd()) {
            if (current() == QLatin1Char('"')) {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == QLatin1Char('"')) {
                    field += QLatin1Char('"');
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                return field;
            }
            field += current();
            ++pos_;
        }
        return field;
    }

    QString readPlain(QChar delimiter) {
        const qsizetype start = pos_;
        while (!atEnd() && !isSeparatorBlank(current()) && current() != delimiter)
            ++pos_;
        return text_.sliced(start, pos_ - start).toString();
    }

private:
    QStringView text_;
    qsizetype pos_ = 0;
};

} // namespace

QStringList SplitFields(QStringView text, QChar delimiter) {
    QStringList fields;
    Cursor cursor(text);
    cursor.skipBlanks();
    while (!cursor.atEnd()) {
        fields << (cursor.current() == QLatin1Char('"') ? cursor.readQuoted() : cursor.readPlain(delimiter));
        cursor.skipBlanks();
        if (!cursor.atEnd() && cursor.current() == delimiter) {
            if (cursor.isLast())
                fields << QString();
            cursor.step();
            cursor.skipBlanks();
        }
    }
    return fields;
}

qsizetype countFields(QStringView text, QChar delimiter, QChar ignored) {
    text = untilNul(text);
    const QChar* at = text.cbegin();
    const QChar* const end = text.cend();
    // `at` always stands on a character that is not ignored, or at the end.
    const auto settle = [&] {
        while (at != end && *at == ignored)
            ++at;
    };
    const auto step = [&] {
        ++at;
        settle();
    };
    const auto skipBlanks = [&] {
        while (at != end && isSeparatorBlank(*at))
            step();
    };
    qsizetype fields = 0;
    settle();
    skipBlanks();
    while (at != end) {
        ++fields;
        if (*at == QLatin1Char('"')) {
            step();
            while (at != end) {
                const bool quote = *at == QLatin1Char('"');
                step();
                if (quote) {
                    if (at == end || *at != QLatin1Char('"'))
                        break;
                    step();
                }
            }
        } else {
            while (at != end && !isSeparatorBlank(*at) && *at != delimiter)
                step();
        }
        skipBlanks();
        if (at != end && *at == delimiter) {
            step();
            if (at == end)
                ++fields;
            skipBlanks();
        }
    }
    return fields;
}

QString protectSpaces(QString text) {
    return text.replace(QLatin1Char(' '), QLatin1Char('^'));
}

QString restoreSpaces(QString field) {
    return field.replace(QLatin1Char('^'), QLatin1Char(' '));
}

const QString& fieldAt(const QStringList& fields, qsizetype index) {
    if (index < 0 || index >= fields.size())
        throw FieldError(
            QStringLiteral("reply field %1 is missing (%2 fields)").arg(index).arg(fields.size()));
    return fields[index];
}

} // namespace parlumo
