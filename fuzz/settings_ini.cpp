// The INI reader and writer: writing back what was read keeps every other line byte for byte
// and reads back the same value. The first byte picks the section and key, the rest is the file.

#include "core/settings.h"
#include "fuzz/fuzz_input.h"

#include <QList>

using namespace parlumo;

namespace {

// The file's lines with their endings, as they are stored.
QList<QByteArray> linesOf(const QByteArray& file) {
    QList<QByteArray> lines;
    for (qsizetype start = 0; start < file.size();) {
        const qsizetype lf = file.indexOf('\n', start);
        const qsizetype end = lf < 0 ? file.size() : lf + 1;
        lines.append(file.mid(start, end - start));
        start = end;
    }
    return lines;
}

QByteArray withoutEnding(QByteArray line) {
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    fuzz::require(file.open(QIODevice::ReadOnly), "the settings file is there after a write");
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    static const QStringList sections{"config", "service", "CONFIG", QStringLiteral("短信")};
    static const QStringList keys{"uid", "lasttxt", "host", QStringLiteral("签名")};
    const QString section = sections[data[0] % 4];
    const QString key = keys[(data[0] / 4) % 4];
    const QByteArray before = fuzz::bytes(data + 1, size - 1);
    const Settings settings(fuzz::scratchFile(QStringLiteral("ovarn.ini"), before));

    const QString absent(QChar(0xFFFF));
    const QString value = settings.ReadSetting(section, key, absent);
    const QString written = value == absent ? QStringLiteral("v a=l") : value;
    settings.WriteSetting(section, key, written);
    QString expected = written.trimmed();
    expected.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (!expected.contains(QChar(0xFFFD)))
        fuzz::require(settings.ReadSetting(section, key, absent) == expected.trimmed(),
                      "the value written reads back");

    // Every line but the key's own stays as it was; a new key adds its line (and its section's).
    const QList<QByteArray> old = linesOf(before);
    const QList<QByteArray> now = linesOf(contentsOf(settings.filePath()));
    const auto kept = [&](qsizetype i, qsizetype j) {
        return now[j] == old[i] || (i + 1 == old.size() && !old[i].endsWith('\n') && now[j].startsWith(old[i]) &&
                                    withoutEnding(now[j]) == withoutEnding(old[i]));
    };
    if (value != absent) {
        fuzz::require(now.size() == old.size(), "replacing a value adds no line");
        qsizetype changed = 0;
        for (qsizetype i = 0; i < old.size(); ++i)
            changed += kept(i, i) ? 0 : 1;
        fuzz::require(changed <= 1, "replacing a value changes its line only");
    } else {
        fuzz::require(now.size() == old.size() + 1 || now.size() == old.size() + 2, "a new key adds one or two lines");
        qsizetype j = 0;
        for (qsizetype i = 0; i < old.size(); ++i, ++j) {
            while (j < now.size() && !kept(i, j))
                ++j;
            fuzz::require(j < now.size(), "every other line is kept in order");
        }
    }
    return 0;
}
