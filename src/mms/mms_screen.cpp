#include "mms/mms_screen.h"

#include "app/screens.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm14::TForm14(Screens& screens, QWidget* parent) : QWidget(parent), screens_(screens) {
    nameScreen(this, QStringLiteral("TForm14"), QStringLiteral("彩信"));
}

} // namespace parlumo
