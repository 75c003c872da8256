#pragma once

#include <QDialog>

namespace parlumo {

struct Screens;

// "添加短语": edits the text of one phrase.
class TForm10 : public QDialog {
    Q_OBJECT
public:
    explicit TForm10(Screens& screens, QWidget* parent = nullptr);

private:
    Screens& screens_;
};

} // namespace parlumo
