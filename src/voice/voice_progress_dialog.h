#pragma once

#include "widgets/task_progress_dialog.h"

namespace parlumo {

// "任务呼出进度": the per-number progress of one voice task, stored in `vlog`.
class TForm13 : public TaskProgressDialog {
    Q_OBJECT
public:
    explicit TForm13(Services& services, QWidget* parent = nullptr);
};

} // namespace parlumo
