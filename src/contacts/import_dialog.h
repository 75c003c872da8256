#pragma once

#include <QDialog>

namespace parlumo {

struct Services;

// "导入号码": imports contacts or numbers from a spreadsheet file.
class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(Services& services, QWidget* parent = nullptr);

    // The opener's mode word: "form3", "form4" or "form12".
    QString actionpg;

public Q_SLOTS:
    // Opens the dialog modally for the opener's mode word.
    void openFor(const QString& mode);

private:
    Services& services_;
};

} // namespace parlumo
