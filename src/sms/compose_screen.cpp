#include "sms/compose_screen.h"

#include "app/screens.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm3::TForm3(Screens& screens, QWidget* parent) : QWidget(parent), screens_(screens) {
    nameScreen(this, QStringLiteral("TForm3"), QStringLiteral("发送短信"));
}

} // namespace parlumo
