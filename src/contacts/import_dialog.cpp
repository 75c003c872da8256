#include "contacts/import_dialog.h"

#include "core/services.h"
#include "toolkit/screen_setup.h"

namespace parlumo {

TForm9::TForm9(Services& services, QWidget* parent) : QDialog(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm9"), QStringLiteral("导入号码"));
}

void TForm9::openFor(const QString& mode) {
    actionpg = mode;
    exec();
}

} // namespace parlumo
