#include "voice/voice_screen.h"

#include "app/screens.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm12::TForm12(Screens& screens, QWidget* parent) : QWidget(parent), screens_(screens) {
    nameScreen(this, QStringLiteral("TForm12"), QStringLiteral("语音服务"));
}

} // namespace parlumo
