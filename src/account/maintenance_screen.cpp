#include "account/maintenance_screen.h"

#include "app/screens.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm7::TForm7(Screens& screens, QWidget* parent) : QWidget(parent), screens_(screens) {
    nameScreen(this, QStringLiteral("TForm7"), QStringLiteral("系统维护"));
}

} // namespace parlumo
