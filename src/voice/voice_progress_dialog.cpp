#include "voice/voice_progress_dialog.h"

namespace parlumo {

namespace {

TaskProgressConfig voiceProgress() {
    const QString number = QStringLiteral("vno");
    return TaskProgressConfig{QStringLiteral("TForm13"),
                              QStringLiteral("任务呼出进度"),
                              QStringLiteral("/voice_service/vlog.asp"),
                              QStringLiteral("vlog"),
                              number,
                              progressListColumns(number, 20, 18),
                              progressExportColumns(number)};
}

} // namespace

TForm13::TForm13(Services& services, QWidget* parent)
    : TaskProgressDialog(services, voiceProgress(), parent) {}

} // namespace parlumo
