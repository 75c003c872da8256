#include "voice/voice_progress_dialog.h"

namespace parlumo {

namespace {

TaskProgressConfig voiceProgress() {
    return TaskProgressConfig{
        QStringLiteral("TForm13"),
        QStringLiteral("任务呼出进度"),
        QStringLiteral("/voice_service/vlog.asp"),
        QStringLiteral("vlog"),
        QStringLiteral("vno"),
        {{QStringLiteral("vno"), QStringLiteral("号码"), 20},
         {QStringLiteral("flong"), QStringLiteral("通话时长"), 6},
         {QStringLiteral("tmoney"), QStringLiteral("消费"), 5},
         {QStringLiteral("tag"), QStringLiteral("状态"), 18},
         {QStringLiteral("intime"), QStringLiteral("时间"), 15}},
        {{QStringLiteral("号码"), QStringLiteral("vno")},
         {QStringLiteral("通话时长"), QStringLiteral("flong")},
         {QStringLiteral("消费"), QStringLiteral("tmoney")},
         {QStringLiteral("状态"), QStringLiteral("tag")}},
    };
}

} // namespace

TForm13::TForm13(Services& services, QWidget* parent)
    : TaskProgressDialog(services, voiceProgress(), parent) {}

} // namespace parlumo
