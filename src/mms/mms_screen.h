#pragma once

#include <QStringList>
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

namespace parlumo {

struct Services;
class NumberMemo;

// "彩信": composing and sending picture messages, and their records.
class TForm14 : public QWidget {
    Q_OBJECT
public:
    explicit TForm14(Services& services, QWidget* parent = nullptr);

public Q_SLOTS:
    // Numbers handed over by other screens, one line each at the end of the memo.
    void appendNumbers(const QStringList& numbers);
    // A phrase handed over by the phrase library replaces the MMS text.
    void setMessageText(const QString& text);

private:
    QWidget* buildNumbers();

    QPlainTextEdit* mmstxt;
    QPlainTextEdit* mob;
    QLineEdit* hm;

    Services& services_;
    NumberMemo* numbers_ = nullptr;
};

} // namespace parlumo
