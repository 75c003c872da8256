#include "fax/fax_progress_dialog.h"

#include "app/screens.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TFAX_log::TFAX_log(Screens& screens, QWidget* parent) : QDialog(parent), screens_(screens) {
    nameScreen(this, QStringLiteral("TFAX_log"), QStringLiteral("发送进度/状态"));
}

} // namespace parlumo
