#include "mms/mms_screen.h"

#include "core/services.h"
#include "toolkit/screen_setup.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace parlumo {

TForm14::TForm14(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm14"), QStringLiteral("彩信"));
    auto* column = new QVBoxLayout(this);
    mmstxt = named(new QPlainTextEdit(this), QStringLiteral("mmstxt"));
    column->addWidget(mmstxt);
}

void TForm14::setMessageText(const QString& text) {
    mmstxt->setPlainText(text);
}

} // namespace parlumo
