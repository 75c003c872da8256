#include "sms/sent_log_screen.h"

#include "core/services.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm8::TForm8(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm8"), QStringLiteral("发送记录"));
}

} // namespace parlumo
