#pragma once

#include <QDialog>

namespace parlumo {

struct Services;

// "任务呼出进度": the per-number progress of one voice task.
class TForm13 : public QDialog {
    Q_OBJECT
public:
    explicit TForm13(Services& services, QWidget* parent = nullptr);

private:
    Services& services_;
};

} // namespace parlumo
