#pragma once

#include <QDialog>

namespace parlumo {

struct Services;

// "发送进度/状态": the per-number progress of one fax task.
class TFAX_log : public QDialog {
    Q_OBJECT
public:
    explicit TFAX_log(Services& services, QWidget* parent = nullptr);

private:
    Services& services_;
};

} // namespace parlumo
