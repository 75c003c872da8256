#include "fax/fax_progress_dialog.h"

namespace parlumo {

namespace {

TaskProgressConfig faxProgress() {
    const QString number = QStringLiteral("faxno");
    return TaskProgressConfig{QStringLiteral("TFAX_log"),
                              QStringLiteral("发送进度/状态"),
                              QStringLiteral("/faxservice/faxlog.asp"),
                              QStringLiteral("faxlog"),
                              number,
                              progressListColumns(number, 12, 40),
                              progressExportColumns(number)};
}

} // namespace

TFAX_log::TFAX_log(Services& services, QWidget* parent)
    : TaskProgressDialog(services, faxProgress(), parent) {}

} // namespace parlumo
