#pragma once

#include <QDialog>

namespace parlumo {

struct Screens;

// "发送进度/状态": the per-number progress of one fax task.
class TFAX_log : public QDialog {
    Q_OBJECT
public:
    explicit TFAX_log(Screens& screens, QWidget* parent = nullptr);

private:
    Screens& screens_;
};

} // namespace parlumo
