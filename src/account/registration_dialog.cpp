#include "account/registration_dialog.h"

#include "app/screens.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm11::TForm11(Screens& screens, QWidget* parent) : QDialog(parent), screens_(screens) {
    nameScreen(this, QStringLiteral("TForm11"), QStringLiteral("注册账号"));
}

} // namespace parlumo
