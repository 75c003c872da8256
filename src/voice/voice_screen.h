#pragma once

#include <QStringList>
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace parlumo {

struct Services;
class NumberMemo;

// "语音服务": voice tasks, direct calls and their records.
class TForm12 : public QWidget {
    Q_OBJECT
public:
    explicit TForm12(Services& services, QWidget* parent = nullptr);

public Q_SLOTS:
    // Numbers handed over by other screens, one line each at the end of `v_no`.
    void appendNumbers(const QStringList& numbers);
    // A phrase handed over by the phrase library replaces the text to be spoken.
    void setSpokenText(const QString& text);

Q_SIGNALS:
    // "Excel 中提取": the spreadsheet import opens for this screen's mode word.
    void spreadsheetImportRequested(const QString& actionpg);

private:
    QPlainTextEdit* v_txt;
    QPlainTextEdit* v_no;
    QLineEdit* hm;
    QPushButton* LbSpeedButton4c;

    Services& services_;
    NumberMemo* numbers_ = nullptr;
};

} // namespace parlumo
