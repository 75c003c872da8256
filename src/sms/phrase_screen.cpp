#include "sms/phrase_screen.h"

#include "core/services.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm5::TForm5(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm5"), QStringLiteral("短语管理"));
}

} // namespace parlumo
