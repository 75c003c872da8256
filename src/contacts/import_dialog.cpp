#include "contacts/import_dialog.h"

#include "app/screens.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm9::TForm9(Screens& screens, QWidget* parent) : QDialog(parent), screens_(screens) {
    nameScreen(this, QStringLiteral("TForm9"), QStringLiteral("导入号码"));
}

} // namespace parlumo
