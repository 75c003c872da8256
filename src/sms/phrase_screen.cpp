#include "sms/phrase_screen.h"

#include "app/screens.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm5::TForm5(Screens& screens, QWidget* parent) : QWidget(parent), screens_(screens) {
    nameScreen(this, QStringLiteral("TForm5"), QStringLiteral("短语管理"));
}

} // namespace parlumo
