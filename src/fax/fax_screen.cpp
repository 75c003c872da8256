#include "fax/fax_screen.h"

#include "app/screens.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

Tf_fax::Tf_fax(Screens& screens, QWidget* parent) : QWidget(parent), screens_(screens) {
    nameScreen(this, QStringLiteral("Tf_fax"), QStringLiteral("传真"));
}

} // namespace parlumo
