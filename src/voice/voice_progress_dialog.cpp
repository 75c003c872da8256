#include "voice/voice_progress_dialog.h"

#include "app/screens.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm13::TForm13(Screens& screens, QWidget* parent) : QDialog(parent), screens_(screens) {
    nameScreen(this, QStringLiteral("TForm13"), QStringLiteral("任务呼出进度"));
}

} // namespace parlumo
