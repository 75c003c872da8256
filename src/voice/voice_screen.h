#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace parlumo {

struct Services;

// "语音服务": voice tasks, direct calls and their records.
class TForm12 : public QWidget {
    Q_OBJECT
public:
    explicit TForm12(Services& services, QWidget* parent = nullptr);

public Q_SLOTS:
    // A phrase handed over by the phrase library replaces the text to be spoken.
    void setSpokenText(const QString& text);

private:
    QPlainTextEdit* v_txt;

    Services& services_;
};

} // namespace parlumo
