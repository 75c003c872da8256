#include "sms/sent_log_screen.h"

#include "app/screens.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm8::TForm8(Screens& screens, QWidget* parent) : QWidget(parent), screens_(screens) {
    nameScreen(this, QStringLiteral("TForm8"), QStringLiteral("发送记录"));
}

} // namespace parlumo
