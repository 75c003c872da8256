#pragma once

#include "widgets/task_progress_dialog.h"

namespace parlumo {

// "发送进度/状态": the per-number progress of one fax task, stored in `faxlog`.
class TFAX_log : public TaskProgressDialog {
    Q_OBJECT
public:
    explicit TFAX_log(Services& services, QWidget* parent = nullptr);
};

} // namespace parlumo
