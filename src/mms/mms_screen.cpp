#include "mms/mms_screen.h"

#include "core/services.h"
#include "mms/mms_records.h"
#include "toolkit/file_dialogs.h"
#include "toolkit/screen_setup.h"
#include "toolkit/shell.h"
#include "widgets/date_range_records.h"
#include "widgets/forbidden_word_check.h"
#include "widgets/number_memo.h"
#include "widgets/paragraph_text.h"
#include "widgets/service_call.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

namespace parlumo {

TForm14::TForm14(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm14"), QStringLiteral("彩信"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 12, 12, 12);
    row->setSpacing(12);
    row->addWidget(buildSide());
    ppc = named(new QTabWidget(this), QStringLiteral("ppc"));
    ppc->setDocumentMode(true);
    tt1 = named(buildComposePage(), QStringLiteral("tt1"));
    tt2 = named(buildRecordsPage(), QStringLiteral("tt2"));
    ppc->addTab(tt1, QStringLiteral("新建任务"));
    ppc->addTab(tt2, QStringLiteral("发送记录"));
    // The tree switches the pages; their tabs are not shown.
    ppc->tabBar()->hide();
    row->addWidget(ppc, 1);

    keepOneParagraph(mmstxt, zf);
    NumberMemoConfig memo;
    memo.count = CountRule::Lines;
    memo.memoExtraKeys = QString();
    memo.fileFilter = QStringLiteral("txt|*.txt|text|*.text|所有文件|*.*");
    numbers_ = new NumberMemo(this, mob, hm, nullptr, memo, *services_.messages, *services_.fileDialogs);
    forbiddenWords_ = new ForbiddenWordCheck(this, mmstxt, services_);
    call_ = new ServiceCall(this);
    call_->setIndicator(sendProgress);
    connectHandlers();
}

TForm14::~TForm14() = default;

void TForm14::connectHandlers() {
    connect(tv1, &QTreeWidget::itemSelectionChanged, this, &TForm14::tv1Change);
    connect(ppc, &QTabWidget::currentChanged, this, [this] {
        if (ppc->currentWidget() == tt2)
            tt2Show();
    });
    connect(RadioButton1, &QRadioButton::clicked, this, &TForm14::RadioButton1Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &TForm14::RadioButton2Click);
    mmstitle->installEventFilter(this);
    connect(LbSpeedButton1, &QPushButton::clicked, this, &TForm14::LbSpeedButton1Click);
    connect(LbSpeedButton2, &QPushButton::clicked, this, &TForm14::LbSpeedButton2Click);
    connect(LbSpeedButton3, &QPushButton::clicked, this, &TForm14::LbSpeedButton3Click);
    connect(btfdy, &QPushButton::clicked, this, &TForm14::phrasesRequested);
    connect(LbSpeedButton600, &QPushButton::clicked, numbers_, &NumberMemo::deleteCaretLine);
    connect(LbSpeedButton11, &QPushButton::clicked, numbers_, &NumberMemo::removeDuplicates);
    connect(LbSpeedButton12, &QPushButton::clicked, numbers_, &NumberMemo::clear);
    connect(LbSpeedButton59, &QPushButton::clicked, numbers_, &NumberMemo::loadTextFile);
    connect(LbSpeedButton9, &QPushButton::clicked, numbers_, &NumberMemo::exportNumbers);
    connect(records_, &DateRangeRecords::recordClicked, this, &TForm14::DBGrid1CellClick);
    connect(call_, &ServiceCall::answered, this, &TForm14::sendAnswered);
    connect(call_, &ServiceCall::failed, this, &TForm14::sendFailed);
}

void TForm14::stopWorkers() {
    call_->cancel();
}

void TForm14::appendNumbers(const QStringList& numbers) {
    numbers_->appendNumbers(numbers);
}

void TForm14::setMessageText(const QString& text) {
    mmstxt->setPlainText(text);
}

void TForm14::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TForm14::FormShow() {
    records_->resetDates();
    tv1->expandAll();
    if (ppc->currentWidget() == tt2)
        tt2Show();
}

void TForm14::tv1Change() {
    const QTreeWidgetItem* item = tv1->currentItem();
    if (!item)
        return;
    const QString node = item->text(0);
    if (node == QStringLiteral("新建彩信"))
        ppc->setCurrentWidget(tt1);
    else if (node == QStringLiteral("发送记录"))
        ppc->setCurrentWidget(tt2);
}

void TForm14::RadioButton1Click() {
    max_txt->setText(QString::number(textLimit(MmsMode::Picture)));
    GroupBox5->setEnabled(true);
}

void TForm14::RadioButton2Click() {
    max_txt->setText(QString::number(textLimit(MmsMode::Text)));
    GroupBox5->setEnabled(false);
}

void TForm14::mmstitleClick() {
    mmstitle->clear();
}

void TForm14::LbSpeedButton1Click() {
    FileDialogRequest request;
    request.filter = QStringLiteral("GIF|*.gif|jpg|*.jpg|JPEG|*.jpeg|PNG|*.png|BMP|*.bmp|所有文件|*.*");
    request.startFolder = QDir(services_.programFolder).filePath(QStringLiteral("彩信示例文件"));
    const QString path = services_.fileDialogs->openFile(this, request);
    if (!path.isEmpty())
        edtmmfile->setText(path);
}

void TForm14::LbSpeedButton2Click() {
    services_.shell->openDocument(services_.addresses.host + QStringLiteral("/mms/"));
}

void TForm14::tt2Show() {
    records_->query();
}

void TForm14::DBGrid1CellClick() {
    mmo1->setPlainText(recordNumbersText(records_->currentValue(QStringLiteral("mobno")).toString()));
    mmo2->setPlainText(records_->currentValue(QStringLiteral("coutent")).toString());
}

bool TForm14::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mmstitle && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        mmstitleClick();
    return QWidget::eventFilter(watched, event);
}

} // namespace parlumo
