#pragma once

#include <QString>

namespace parlumo {

// Percent-encodes a GET query value where a character would change the query's meaning or is
// not plain ASCII: blanks and control characters, "#", "&", "+", "%", "?", "=", and every
// non-ASCII character as its GBK bytes. Everything else travels unchanged.
QString encodeQueryValue(QStringView value);

// A GET address put together as base + path, then "?k=v&k=v" in the order the keys are added,
// each value encoded by encodeQueryValue.
class QueryUrl {
public:
    QueryUrl(const QString& base, const QString& path);
    QueryUrl& add(const QString& key, const QString& value);
    const QString& text() const { return url_; }
    operator const QString&() const { return url_; }

private:
    QString url_;
    bool first_ = true;
};

} // namespace parlumo
