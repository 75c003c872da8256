#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace parlumo {

struct Services;

// "彩信": composing and sending picture messages, and their records.
class TForm14 : public QWidget {
    Q_OBJECT
public:
    explicit TForm14(Services& services, QWidget* parent = nullptr);

public Q_SLOTS:
    // A phrase handed over by the phrase library replaces the MMS text.
    void setMessageText(const QString& text);

private:
    QPlainTextEdit* mmstxt;

    Services& services_;
};

} // namespace parlumo
