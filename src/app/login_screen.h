#pragma once

#include <QWidget>

namespace parlumo {

struct Screens;

// The login screen, the program's main screen. Its creation prepares the database files.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(Screens& screens, QWidget* parent = nullptr);

private:
    Screens& screens_;
};

} // namespace parlumo
