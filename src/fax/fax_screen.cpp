#include "fax/fax_screen.h"

#include "core/services.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

Tf_fax::Tf_fax(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("Tf_fax"), QStringLiteral("传真"));
}

} // namespace parlumo
