#include "sms/phrase_edit_dialog.h"

#include "core/account_state.h"
#include "core/services.h"
#include "data/database.h"
#include "sms/phrase_statements.h"
#include "toolkit/message_box.h"
#include "toolkit/screen_setup.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace parlumo {

TForm10::TForm10(Services& services, QWidget* parent) : QDialog(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm10"), QStringLiteral("添加短语"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(true);
    resize(420, 240);
    // Without a frame of its own the dialog draws an edge, so it stands out from the window below.
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    QPalette edge = frame->palette();
    edge.setColor(QPalette::WindowText, QColor(0x1f, 0x6f, 0xd1));
    frame->setPalette(edge);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(12, 10, 12, 12);
    auto* heading = new QLabel(QStringLiteral("添加新短语"), frame);
    heading->setStyleSheet(QStringLiteral("font-weight:bold;"));
    column->addWidget(heading);
    DBMemo1 = named(new QPlainTextEdit(frame), QStringLiteral("DBMemo1"));
    column->addWidget(DBMemo1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btadd = named(new QPushButton(QStringLiteral("&A添加"), frame), QStringLiteral("btadd"));
    LbSpeedButton1 =
        named(new QPushButton(QStringLiteral("&C关闭"), frame), QStringLiteral("LbSpeedButton1"));
    for (QPushButton* b : {btadd, LbSpeedButton1}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    column->addLayout(buttons);
    connect(btadd, &QPushButton::clicked, this, &TForm10::btaddClick);
    connect(LbSpeedButton1, &QPushButton::clicked, this, &TForm10::LbSpeedButton1Click);
}

void TForm10::openFor(int groupId) {
    groupId_ = groupId;
    DBMemo1->clear();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    open();
    DBMemo1->setFocus();
}

void TForm10::btaddClick() {
    const QString phrase = DBMemo1->toPlainText();
    if (phrase.isEmpty()) {
        services_.messages->showMessage(this, QStringLiteral("内容不能为空！字数在 200个字符以内！"));
        return;
    }
    const QString tooLong = QStringLiteral("字数在 200个字符以内！");
    if (phrase.size() > kPhraseMaxLength) {
        services_.messages->showMessage(this, tooLong);
        return;
    }
    try {
        services_.database->execute(insertPhraseStatement(phrase, groupId_, services_.account->get().uid));
    } catch (const DatabaseError&) {
        services_.messages->showMessage(this, tooLong);
        return;
    }
    Q_EMIT phraseAdded();
    DBMemo1->clear();
    DBMemo1->setFocus();
}

void TForm10::LbSpeedButton1Click() {
    DBMemo1->clear();
    reject();
}

} // namespace parlumo
