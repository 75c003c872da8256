#pragma once

#include <QWidget>

namespace parlumo {

struct Screens;

// "彩信": composing and sending picture messages, and their records.
class TForm14 : public QWidget {
    Q_OBJECT
public:
    explicit TForm14(Screens& screens, QWidget* parent = nullptr);

private:
    Screens& screens_;
};

} // namespace parlumo
