#pragma once

#include <QWidget>

namespace parlumo {

struct Screens;

// "发送记录": the log of sent SMS batches.
class TForm8 : public QWidget {
    Q_OBJECT
public:
    explicit TForm8(Screens& screens, QWidget* parent = nullptr);

private:
    Screens& screens_;
};

} // namespace parlumo
