#include "sms/replies_screen.h"

#include "app/screens.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm6::TForm6(Screens& screens, QWidget* parent) : QWidget(parent), screens_(screens) {
    nameScreen(this, QStringLiteral("TForm6"), QStringLiteral("接收回复短信"));
}

} // namespace parlumo
