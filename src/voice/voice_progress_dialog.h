#pragma once

#include <QDialog>

namespace parlumo {

struct Screens;

// "任务呼出进度": the per-number progress of one voice task.
class TForm13 : public QDialog {
    Q_OBJECT
public:
    explicit TForm13(Screens& screens, QWidget* parent = nullptr);

private:
    Screens& screens_;
};

} // namespace parlumo
