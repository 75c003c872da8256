#include "mms/mms_screen.h"

#include "core/services.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm14::TForm14(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm14"), QStringLiteral("彩信"));
}

} // namespace parlumo
