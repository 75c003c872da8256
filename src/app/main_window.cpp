#include "app/main_window.h"

#include "app/screens.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm2::TForm2(Screens& screens, QWidget* parent) : QWidget(parent), screens_(screens) {
    nameScreen(this, QStringLiteral("TForm2"), QStringLiteral("主界面"));
}

} // namespace parlumo
