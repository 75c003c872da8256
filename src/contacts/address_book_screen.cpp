#include "contacts/address_book_screen.h"

#include "core/services.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm4::TForm4(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm4"), QStringLiteral("名片夹"));
}

} // namespace parlumo
