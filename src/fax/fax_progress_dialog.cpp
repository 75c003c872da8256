#include "fax/fax_progress_dialog.h"

#include "core/services.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TFAX_log::TFAX_log(Services& services, QWidget* parent) : QDialog(parent), services_(services) {
    nameScreen(this, QStringLiteral("TFAX_log"), QStringLiteral("发送进度/状态"));
}

} // namespace parlumo
