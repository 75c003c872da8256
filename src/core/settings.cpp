#include "core/settings.h"

#include "text/error.h"
#include "text/gbk.h"

#include <QFile>
#include <QList>
#include <QSaveFile>

namespace parlumo {

namespace {

// One line of the file: its bytes without the line ending, and the ending as it was.
struct Line {
    QByteArray content;
    QByteArray ending;
};

QList<Line> splitLines(const QByteArray& bytes) {
    QList<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype lf = bytes.indexOf('\n', start);
        const qsizetype end = lf < 0 ? bytes.size() : lf;
        Line line;
        line.content = bytes.mid(start, end - start);
        if (line.content.endsWith('\r')) {
            line.content.chop(1);
            line.ending = "\r";
        }
        if (lf >= 0)
            line.ending += '\n';
        lines.append(line);
        start = end + 1;
    }
    return lines;
}

// The section named by a line "[name]", or a null text when the line opens no section.
QString sectionOf(const Line& line) {
    const QString text = fromGbk(line.content).trimmed();
    if (!text.startsWith(QLatin1Char('[')))
        return QString();
    const qsizetype close = text.indexOf(QLatin1Char(']'));
    return (close < 0 ? text.mid(1) : text.mid(1, close - 1)).trimmed();
}

// The key of a line "key=value", or a null text when the line holds none.
QString keyOf(const Line& line) {
    const qsizetype eq = line.content.indexOf('=');
    if (eq <= 0 || line.content.trimmed().startsWith(';'))
        return QString();
    return fromGbk(line.content.left(eq)).trimmed();
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// Position of the key's line and of the line after the section's last entry; -1 when absent.
struct Place {
    qsizetype section = -1;
    qsizetype key = -1;
    qsizetype sectionEnd = -1;
};

Place find(const QList<Line>& lines, const QString& section, const QString& key) {
    Place place;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString name = sectionOf(lines[i]);
        if (!name.isNull()) {
            if (inSection)
                return place;
            inSection = sameName(name, section);
            if (inSection)
                place.section = place.sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (!lines[i].content.trimmed().isEmpty())
            place.sectionEnd = i + 1;
        if (place.key < 0 && sameName(keyOf(lines[i]), key))
            place.key = i;
    }
    return place;
}

} // namespace

Settings::Settings(QString filePath) : filePath_(std::move(filePath)) {}

QString Settings::ReadSetting(const QString& section, const QString& key, const QString& fallback) const {
    const QList<Line> lines = splitLines(readFile(filePath_));
    const Place place = find(lines, section, key);
    if (place.key < 0)
        return fallback;
    const QByteArray& content = lines[place.key].content;
    return fromGbk(content.mid(content.indexOf('=') + 1)).trimmed().left(kSettingValueMaxChars);
}

void Settings::WriteSetting(const QString& section, const QString& key, const QString& value) const {
    const bool existed = QFile::exists(filePath_);
    QList<Line> lines = splitLines(readFile(filePath_));
    const QByteArray newline = lines.isEmpty() || lines.first().ending != "\n" ? "\r\n" : "\n";
    QString oneLine = value;
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const Line entry{toGbk(QString(key + QLatin1Char('=') + oneLine)), newline};

    const Place place = find(lines, section, key);
    if (place.key >= 0) {
        lines[place.key].content = entry.content;
    } else {
        // A last line ended by nothing or by a lone CR gets its line feed, so the new line
        // neither joins it nor, read back, turns into part of its value.
        if (!lines.isEmpty() && lines.last().ending.isEmpty())
            lines.last().ending = newline;
        else if (!lines.isEmpty() && lines.last().ending == "\r")
            lines.last().ending += '\n';
        if (place.section < 0) {
            lines.append(Line{toGbk(QString(QLatin1Char('[') + section + QLatin1Char(']'))), newline});
            lines.append(entry);
        } else {
            lines.insert(place.sectionEnd, entry);
        }
    }

    QByteArray bytes;
    for (const Line& line : lines)
        bytes += line.content + line.ending;
    QSaveFile file(filePath_);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.setPermissions(existed ? QFile::permissions(filePath_)
                                                     : QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
                         file.write(bytes) == bytes.size() && file.commit();
    if (!written)
        throw Error(QStringLiteral("无法写入文件 %1: %2").arg(filePath_, file.errorString()));
}

} // namespace parlumo
