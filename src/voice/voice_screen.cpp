#include "voice/voice_screen.h"

#include "core/services.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm12::TForm12(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm12"), QStringLiteral("语音服务"));
}

} // namespace parlumo
