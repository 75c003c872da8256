#include "contacts/address_book_screen.h"

#include "app/screens.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm4::TForm4(Screens& screens, QWidget* parent) : QWidget(parent), screens_(screens) {
    nameScreen(this, QStringLiteral("TForm4"), QStringLiteral("名片夹"));
}

} // namespace parlumo
