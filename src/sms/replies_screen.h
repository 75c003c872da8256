#pragma once

#include <QWidget>

namespace parlumo {

struct Screens;

// "接收回复短信": the received replies.
class TForm6 : public QWidget {
    Q_OBJECT
public:
    explicit TForm6(Screens& screens, QWidget* parent = nullptr);

private:
    Screens& screens_;
};

} // namespace parlumo
