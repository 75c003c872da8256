#include "voice/voice_screen.h"

#include "core/services.h"
#include "toolkit/screen_setup.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace parlumo {

TForm12::TForm12(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm12"), QStringLiteral("语音服务"));
    auto* column = new QVBoxLayout(this);
    v_txt = named(new QPlainTextEdit(this), QStringLiteral("v_txt"));
    v_txt->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    column->addWidget(v_txt);
}

void TForm12::setSpokenText(const QString& text) {
    v_txt->setPlainText(text);
}

} // namespace parlumo
