#include "sms/phrase_edit_dialog.h"

#include "core/services.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm10::TForm10(Services& services, QWidget* parent) : QDialog(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm10"), QStringLiteral("添加短语"));
}

} // namespace parlumo
