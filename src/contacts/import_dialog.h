#pragma once

#include <QDialog>

namespace parlumo {

struct Screens;

// "导入号码": imports contacts or numbers from a spreadsheet file.
class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(Screens& screens, QWidget* parent = nullptr);

    // The opener's mode word: "form3", "form4" or "form12".
    QString actionpg;

private:
    Screens& screens_;
};

} // namespace parlumo
