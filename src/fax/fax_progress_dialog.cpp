#include "fax/fax_progress_dialog.h"

namespace parlumo {

namespace {

TaskProgressConfig faxProgress() {
    return TaskProgressConfig{
        QStringLiteral("TFAX_log"),
        QStringLiteral("发送进度/状态"),
        QStringLiteral("/faxservice/faxlog.asp"),
        QStringLiteral("faxlog"),
        QStringLiteral("faxno"),
        {{QStringLiteral("faxno"), QStringLiteral("号码"), 12},
         {QStringLiteral("flong"), QStringLiteral("通话时长"), 6},
         {QStringLiteral("tmoney"), QStringLiteral("消费"), 5},
         {QStringLiteral("tag"), QStringLiteral("状态"), 40},
         {QStringLiteral("intime"), QStringLiteral("时间"), 15}},
        {{QStringLiteral("号码"), QStringLiteral("faxno")},
         {QStringLiteral("通话时长"), QStringLiteral("flong")},
         {QStringLiteral("消费"), QStringLiteral("tmoney")},
         {QStringLiteral("状态"), QStringLiteral("tag")}},
    };
}

} // namespace

TFAX_log::TFAX_log(Services& services, QWidget* parent)
    : TaskProgressDialog(services, faxProgress(), parent) {}

} // namespace parlumo
