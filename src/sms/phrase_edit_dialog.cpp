#include "sms/phrase_edit_dialog.h"

#include "app/screens.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm10::TForm10(Screens& screens, QWidget* parent) : QDialog(parent), screens_(screens) {
    nameScreen(this, QStringLiteral("TForm10"), QStringLiteral("添加短语"));
}

} // namespace parlumo
