#pragma once

#include <QWidget>

namespace parlumo {

struct Screens;

// "系统维护": system maintenance: balance, online upgrade, database copy, password change.
class TForm7 : public QWidget {
    Q_OBJECT
public:
    explicit TForm7(Screens& screens, QWidget* parent = nullptr);

private:
    Screens& screens_;
};

} // namespace parlumo
