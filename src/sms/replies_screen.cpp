#include "sms/replies_screen.h"

#include "core/services.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm6::TForm6(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm6"), QStringLiteral("接收回复短信"));
}

} // namespace parlumo
