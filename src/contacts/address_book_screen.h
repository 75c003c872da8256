#pragma once

#include <QWidget>

namespace parlumo {

struct Screens;

// "名片夹": the address book in its tree of groups.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(Screens& screens, QWidget* parent = nullptr);

private:
    Screens& screens_;
};

} // namespace parlumo
