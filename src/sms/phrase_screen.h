#pragma once

#include <QWidget>

namespace parlumo {

struct Screens;

// "短语管理": the phrase library in its tree of groups.
class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(Screens& screens, QWidget* parent = nullptr);

private:
    Screens& screens_;
};

} // namespace parlumo
