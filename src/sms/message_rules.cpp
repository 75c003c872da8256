#include "sms/message_rules.h"

#include "text/trim_controls.h"

namespace parlumo {

namespace {

constexpr int kLongMessagePart = 67;

QString dropLineBreaks(QString text) {
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char('\r'));
    return text;
}

} // namespace

QString cleanMessageText(const QString& text) {
    QString cleaned = trimControls(text);
    cleaned.replace(QLatin1Char('\''), QLatin1Char('"'));
    return dropLineBreaks(cleaned);
}

int cleanedCaretPosition(const QString& text, int caret, int cleanedLength) {
    QString before = text.left(caret);
    qsizetype start = 0;
    while (start < before.size() && (before[start].unicode() <= 32 || before[start].isSpace()))
        ++start;
    return qMin(static_cast<int>(dropLineBreaks(before.mid(start)).size()), cleanedLength);
}

int charsPerSms(const QString& MaxSmsChars) {
    bool ok = false;
    const int n = MaxSmsChars.trimmed().toInt(&ok);
    return ok && n > 0 ? n : 60;
}

int billingSize(int charsPerSms, int length) {
    return length > charsPerSms && charsPerSms > kLongMessagePart ? kLongMessagePart : charsPerSms;
}

QString billingCaption(int charsPerSms) {
    if (charsPerSms >= kLongMessagePart)
        return QString();
    return QStringLiteral("个字计费，长短信按%1个字计费").arg(charsPerSms);
}

QString longMessageQuestion(int charsPerSms, long long total, long long parts) {
    return QStringLiteral("短信内容超过 %1 个字符，将按 %2 x %3 =%4条发送和计费。  确认继续发送吗？")
        .arg(charsPerSms)
        .arg(total)
        .arg(parts)
        .arg(total * parts);
}

int partsPerNumber(int length, int billingSize) {
    return length == 0 ? 0 : (length - 1) / billingSize + 1;
}

} // namespace parlumo
