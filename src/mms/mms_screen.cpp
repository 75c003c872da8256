#include "mms/mms_screen.h"

#include "core/services.h"
#include "toolkit/screen_setup.h"
#include "widgets/number_memo.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace parlumo {

TForm14::TForm14(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm14"), QStringLiteral("彩信"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    mmstxt = named(new QPlainTextEdit(this), QStringLiteral("mmstxt"));
    column->addWidget(mmstxt);
    column->addWidget(buildNumbers(), 1);

    NumberMemoConfig memo;
    memo.count = CountRule::Lines;
    memo.memoExtraKeys = QString();
    memo.fileFilter = QStringLiteral("txt|*.txt|text|*.text|所有文件|*.*");
    numbers_ = new NumberMemo(this, mob, hm, nullptr, memo, *services_.messages, *services_.fileDialogs);
}

QWidget* TForm14::buildNumbers() {
    auto* box = new QGroupBox(QStringLiteral("彩信接收号码 (多个号码请 换行)"), this);
    auto* column = new QVBoxLayout(box);
    mob = named(new QPlainTextEdit(box), QStringLiteral("mob"));
    mob->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    column->addWidget(mob, 1);
    auto* count = new QHBoxLayout;
    count->addWidget(new QLabel(QStringLiteral("号码数："), box));
    hm = named(new QLineEdit(QStringLiteral("0"), box), QStringLiteral("hm"));
    hm->setReadOnly(true);
    hm->setFixedWidth(80);
    count->addWidget(hm);
    count->addStretch();
    column->addLayout(count);
    return box;
}

void TForm14::appendNumbers(const QStringList& numbers) {
    numbers_->appendNumbers(numbers);
}

void TForm14::setMessageText(const QString& text) {
    mmstxt->setPlainText(text);
}

} // namespace parlumo
