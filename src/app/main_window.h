#pragma once

#include <QWidget>

namespace parlumo {

struct Screens;

// "主界面": the window the user works in after login; it hosts one feature screen at a time.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(Screens& screens, QWidget* parent = nullptr);

private:
    Screens& screens_;
};

} // namespace parlumo
