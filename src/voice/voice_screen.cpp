#include "voice/voice_screen.h"

#include "core/services.h"
#include "toolkit/screen_setup.h"
#include "widgets/number_memo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace parlumo {

TForm12::TForm12(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm12"), QStringLiteral("语音服务"));
    auto* header = new QHBoxLayout;
    header->addWidget(
        named(new QLabel(QStringLiteral("被叫号码   (多个号码请 换行。区号+号码，手机不加 0 )"), this),
              QStringLiteral("Label7")));
    header->addStretch();
    header->addWidget(named(new QLabel(QStringLiteral("号码数："), this), QStringLiteral("Label9")));
    hm = named(new QLineEdit(QStringLiteral("0"), this), QStringLiteral("hm"));
    hm->setReadOnly(true);
    hm->setFixedWidth(80);
    header->addWidget(hm);

    v_no = named(new QPlainTextEdit(this), QStringLiteral("v_no"));
    v_no->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    LbSpeedButton4c =
        named(new QPushButton(QStringLiteral("Excel 中提取"), this), QStringLiteral("LbSpeedButton4c"));
    LbSpeedButton4c->setAutoDefault(false);
    connect(LbSpeedButton4c, &QPushButton::clicked, this, [this] {
        Q_EMIT spreadsheetImportRequested(QStringLiteral("form12"));
    });
    auto* tools = new QVBoxLayout;
    tools->addWidget(LbSpeedButton4c);
    tools->addStretch();
    auto* numbers = new QHBoxLayout;
    numbers->addWidget(v_no, 1);
    numbers->addLayout(tools);

    v_txt = named(new QPlainTextEdit(this), QStringLiteral("v_txt"));
    v_txt->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* column = new QVBoxLayout(this);
    column->addWidget(v_txt);
    column->addLayout(header);
    column->addLayout(numbers, 1);

    NumberMemoConfig memo;
    memo.count = CountRule::Lines;
    memo.memoExtraKeys = QString();
    memo.exportCaption = QStringLiteral("被叫号码");
    memo.fileFilter = QStringLiteral("文本文件.txt|*.txt|文本文件.text|*.text|所有文件.*|*.*");
    numbers_ = new NumberMemo(this, v_no, hm, nullptr, memo, *services_.messages, *services_.fileDialogs);
}

void TForm12::appendNumbers(const QStringList& numbers) {
    numbers_->appendNumbers(numbers);
}

void TForm12::setSpokenText(const QString& text) {
    v_txt->setPlainText(text);
}

} // namespace parlumo
