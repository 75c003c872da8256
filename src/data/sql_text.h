#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace parlumo {

// A statement put together from fixed fragments and bound values: each value goes in as a "?"
// placeholder, so no value can change what the statement means.
class SqlText {
public:
    SqlText() = default;
    explicit SqlText(QString fragment) : text_(std::move(fragment)) {}

    SqlText& add(const QString& fragment) {
        text_ += fragment;
        return *this;
    }
    SqlText& value(const QVariant& bound) {
        text_ += QLatin1Char('?');
        values_.append(bound);
        return *this;
    }
    // The values bound one after the other, separated by commas: a values list or an in-list.
    SqlText& valueList(const QVariantList& bound) {
        for (qsizetype i = 0; i < bound.size(); ++i) {
            if (i > 0)
                text_ += QLatin1Char(',');
            value(bound.at(i));
        }
        return *this;
    }
    SqlText& add(const SqlText& other) {
        text_ += other.text_;
        values_ += other.values_;
        return *this;
    }

    const QString& text() const { return text_; }
    const QVariantList& values() const { return values_; }

private:
    QString text_;
    QVariantList values_;
};

} // namespace parlumo
