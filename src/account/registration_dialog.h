#pragma once

#include <QDialog>

namespace parlumo {

struct Screens;

// "注册账号": registration of a new account.
class TForm11 : public QDialog {
    Q_OBJECT
public:
    explicit TForm11(Screens& screens, QWidget* parent = nullptr);

private:
    Screens& screens_;
};

} // namespace parlumo
