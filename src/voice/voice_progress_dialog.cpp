#include "voice/voice_progress_dialog.h"

#include "core/services.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm13::TForm13(Services& services, QWidget* parent) : QDialog(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm13"), QStringLiteral("任务呼出进度"));
}

} // namespace parlumo
