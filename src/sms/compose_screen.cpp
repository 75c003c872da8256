#include "sms/compose_screen.h"

#include "core/account_state.h"
#include "core/services.h"
#include "data/database.h"
#include "sms/message_rules.h"
#include "sms/news_fetch.h"
#include "sms/send_job.h"
#include "toolkit/message_box.h"
#include "toolkit/picture_button.h"
#include "toolkit/screen_setup.h"
#include "toolkit/shell.h"
#include "widgets/number_memo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace parlumo {

namespace {

QLineEdit* figure(const QString& name, const QString& value, QWidget* parent) {
    auto* edit = named(new QLineEdit(value, parent), name);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignCenter);
    edit->setFixedWidth(56);
    return edit;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = named(new QPushButton(caption, parent), name);
    b->setAutoDefault(false);
    return b;
}

QLabel* link(const QString& name, const QString& caption, QWidget* parent) {
    auto* label = named(new QLabel(caption, parent), name);
    label->setCursor(Qt::PointingHandCursor);
    label->setStyleSheet(QStringLiteral("color:#1f6fd1;"));
    return label;
}

} // namespace

TForm3::TForm3(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm3"), QStringLiteral("发送短信"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(12);
    grid->addWidget(buildContent(), 0, 0);
    grid->addWidget(buildNumbers(), 1, 0);
    auto* side = new QVBoxLayout;
    side->addWidget(buildAccount());
    side->addWidget(buildNews(), 1);
    grid->addLayout(side, 0, 1, 2, 1);
    btsend = primaryButton(QStringLiteral("btsend"), QStringLiteral("(&G)发送短信"), this);
    btsend->setMinimumHeight(36);
    grid->addWidget(btsend, 2, 0);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(1, 1);
    setScheduleVisible(false);

    NumberMemoConfig memo;
    memo.count = CountRule::Items;
    memo.entry = EntryRule::MobileOrAreaCode;
    numbers_ = new NumberMemo(this, mob, hm, inmob, memo, *services_.messages, *services_.fileDialogs);
    connectHandlers();
}

void TForm3::connectHandlers() {
    connect(LbSpeedButton1, &QPushButton::clicked, this, &TForm3::addressBookRequested);
    connect(LbSpeedButton3, &QPushButton::clicked, this, [this] {
        Q_EMIT spreadsheetImportRequested(QStringLiteral("form3"));
    });
    connect(LbSpeedButton2, &QPushButton::clicked, numbers_, &NumberMemo::loadTextFile);
    connect(LbSpeedButton8, &QPushButton::clicked, numbers_, &NumberMemo::exportNumbers);
    connect(LbSpeedButton6, &QPushButton::clicked, numbers_, &NumberMemo::deleteCaretLine);
    connect(LbSpeedButton5, &QPushButton::clicked, numbers_, &NumberMemo::removeDuplicates);
    connect(LbSpeedButton7, &QPushButton::clicked, numbers_, &NumberMemo::clear);
    connect(btfdy, &QPushButton::clicked, this, &TForm3::phrasesRequested);
    connect(btsend, &QPushButton::clicked, this, &TForm3::btsendClick);
    connect(LbSpeedButton4, &QPushButton::clicked, this, &TForm3::LbSpeedButton4Click);
    for (QLabel* label : {StaticText1, Label16, Label14})
        label->installEventFilter(this);
    Panel2->installEventFilter(this);
}

QWidget* TForm3::buildContent() {
    auto* box = new QGroupBox(QStringLiteral("短信内容"), this);
    auto* column = new QVBoxLayout(box);
    txt = named(new QPlainTextEdit(box), QStringLiteral("txt"));
    txt->setMinimumHeight(110);
    connect(txt, &QPlainTextEdit::textChanged, this, &TForm3::txtChange);
    column->addWidget(txt);

    auto* counts = new QHBoxLayout;
    counts->addWidget(new QLabel(QStringLiteral("字符数："), box));
    zf = figure(QStringLiteral("zf"), QStringLiteral("0"), box);
    zf->setStyleSheet(QStringLiteral("color:red;font-weight:bold;"));
    counts->addWidget(zf);
    maxsmstxt = named(new QLabel(QStringLiteral("60"), box), QStringLiteral("maxsmstxt"));
    counts->addSpacing(8);
    counts->addWidget(maxsmstxt);
    Label15 =
        named(new QLabel(QStringLiteral("个字计费，长短信按67个字计费"), box), QStringLiteral("Label15"));
    counts->addWidget(Label15);
    counts->addStretch();
    counts->addWidget(new QLabel(QStringLiteral("将分成"), box));
    sendno = figure(QStringLiteral("sendno"), QStringLiteral("1"), box);
    counts->addWidget(sendno);
    counts->addWidget(new QLabel(QStringLiteral("条发送"), box));
    column->addLayout(counts);

    scheduleRow_ = new QWidget(box);
    scheduleRow_->setMinimumHeight(30);
    chk1 = named(new QCheckBox(QStringLiteral("定时短信"), scheduleRow_), QStringLiteral("chk1"));
    connect(chk1, &QCheckBox::clicked, this, &TForm3::chk1Click);
    t_date = named(new QDateEdit(QDate::currentDate(), scheduleRow_), QStringLiteral("t_date"));
    t_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    t_date->setCalendarPopup(true);
    t_hh = named(new QComboBox(scheduleRow_), QStringLiteral("t_hh"));
    for (int hour = 0; hour < 24; ++hour)
        t_hh->addItem(QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0')));
    t_mm = named(new QComboBox(scheduleRow_), QStringLiteral("t_mm"));
    Label19 = named(new QLabel(QStringLiteral("时"), scheduleRow_), QStringLiteral("Label19"));
    Label22 = named(new QLabel(QStringLiteral("分   提示：不勾选 为立即发送"), scheduleRow_),
                    QStringLiteral("Label22"));
    for (QWidget* w :
         {static_cast<QWidget*>(t_date), static_cast<QWidget*>(t_hh), static_cast<QWidget*>(t_mm)})
        w->setEnabled(false);
    btfdy = button(QStringLiteral("btfdy"), QStringLiteral("插入短语"), scheduleRow_);
    StaticText1 = link(QStringLiteral("StaticText1"), QStringLiteral("了解违规关键字!"), scheduleRow_);
    column->addWidget(scheduleRow_);
    return box;
}

QWidget* TForm3::buildNumbers() {
    auto* box = new QGroupBox(QStringLiteral("接收短信号码   (每个号码 占一行)"), this);
    auto* row = new QHBoxLayout(box);
    mob = named(new QPlainTextEdit(box), QStringLiteral("mob"));
    mob->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    row->addWidget(mob, 1);

    auto* tools = new QVBoxLayout;
    auto* count = new QHBoxLayout;
    count->addWidget(new QLabel(QStringLiteral("号码数："), box));
    hm = figure(QStringLiteral("hm"), QStringLiteral("0"), box);
    hm->setFixedWidth(80);
    count->addWidget(hm);
    tools->addLayout(count);
    LbSpeedButton1 = button(QStringLiteral("LbSpeedButton1"), QStringLiteral("从名片夹提取"), box);
    LbSpeedButton3 = button(QStringLiteral("LbSpeedButton3"), QStringLiteral("Excel 中提取"), box);
    LbSpeedButton2 = button(QStringLiteral("LbSpeedButton2"), QStringLiteral("文本中提取"), box);
    LbSpeedButton8 = button(QStringLiteral("LbSpeedButton8"), QStringLiteral("导出号码"), box);
    LbSpeedButton6 = button(QStringLiteral("LbSpeedButton6"), QStringLiteral("删除选中号码"), box);
    LbSpeedButton5 = button(QStringLiteral("LbSpeedButton5"), QStringLiteral("过滤重号"), box);
    LbSpeedButton7 = button(QStringLiteral("LbSpeedButton7"), QStringLiteral("清空号码"), box);
    for (QPushButton* b : {LbSpeedButton1,
                           LbSpeedButton3,
                           LbSpeedButton2,
                           LbSpeedButton8,
                           LbSpeedButton6,
                           LbSpeedButton5,
                           LbSpeedButton7})
        tools->addWidget(b);
    // The hint stands beside the entry, so that the column fits the window of a 1366x768 screen.
    auto* entry = new QGroupBox(QStringLiteral("号码输入(小灵通 区号+号码)"), box);
    auto* entryRow = new QHBoxLayout(entry);
    inmob = named(new QLineEdit(entry), QStringLiteral("inmob"));
    inmob->setMaxLength(12);
    entryRow->addWidget(inmob, 1);
    entryRow->addWidget(new QLabel(QStringLiteral("回车输入"), entry));
    tools->addWidget(entry);
    tools->addStretch();
    row->addLayout(tools);
    return box;
}

QWidget* TForm3::buildAccount() {
    GroupBox2 = named(new QGroupBox(QStringLiteral("帐户信息"), this), QStringLiteral("GroupBox2"));
    auto* form = new QGridLayout(GroupBox2);
    auto addRow = [this, form](int row,
                               const QString& before,
                               QLabel*& value,
                               const QString& name,
                               const QString& initial,
                               const QString& after) {
        form->addWidget(new QLabel(before, GroupBox2), row, 0);
        value = named(new QLabel(initial, GroupBox2), name);
        value->setStyleSheet(QStringLiteral("font-weight:bold;"));
        form->addWidget(value, row, 1);
        form->addWidget(new QLabel(after, GroupBox2), row, 2);
    };
    form->setColumnStretch(3, 1);
    addRow(0, QStringLiteral("账号："), uid, QStringLiteral("uid"), QStringLiteral("Guest"), QString());
    addRow(1,
           QStringLiteral("余额："),
           money,
           QStringLiteral("money"),
           QStringLiteral("000000.00"),
           QStringLiteral("元"));
    addRow(2,
           QStringLiteral("短信："),
           dj,
           QStringLiteral("dj"),
           QStringLiteral("0.1"),
           QStringLiteral("元/条"));
    addRow(3,
           QStringLiteral("传真："),
           fdj,
           QStringLiteral("fdj"),
           QStringLiteral("0.3"),
           QStringLiteral("元/分钟"));
    addRow(4,
           QStringLiteral("语音："),
           vdj,
           QStringLiteral("vdj"),
           QStringLiteral("0.2"),
           QStringLiteral("元/分钟"));
    addRow(5,
           QStringLiteral("彩信："),
           cdj,
           QStringLiteral("cdj"),
           QStringLiteral("0.3"),
           QStringLiteral("元/条"));
    Label26 = link(QStringLiteral("Label26"), QStringLiteral(" [ 刷新余额 ]"), GroupBox2);
    Label26->installEventFilter(this);
    form->addWidget(Label26, 6, 0, 1, 3);
    return GroupBox2;
}

QWidget* TForm3::buildNews() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    auto* heading = new QHBoxLayout;
    Label14 = named(new QLabel(QStringLiteral(" 最新消息"), box), QStringLiteral("Label14"));
    Label14->setStyleSheet(QStringLiteral("font-weight:bold;"));
    Label16 = link(QStringLiteral("Label16"), QStringLiteral(" [ 刷新 ]"), box);
    heading->addWidget(Label14);
    heading->addStretch();
    heading->addWidget(Label16);
    column->addLayout(heading);
    info = named(new QPlainTextEdit(box), QStringLiteral("info"));
    info->setReadOnly(true);
    info->setFrameShape(QFrame::NoFrame);
    // News lines wrap at the memo's width, inside a word when one is wider than the memo.
    info->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    info->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    column->addWidget(info, 1);

    Panel2 = named(new QWidget(box), QStringLiteral("Panel2"));
    auto* panel = new QVBoxLayout(Panel2);
    panel->setContentsMargins(0, 0, 0, 0);
    sendlog = named(new QPlainTextEdit(Panel2), QStringLiteral("sendlog"));
    sendlog->setReadOnly(true);
    sendlog->setStyleSheet(QStringLiteral("color:red;font-weight:bold;"));
    panel->addWidget(sendlog, 1);
    progress = named(new QProgressBar(Panel2), QStringLiteral("progress"));
    progress->setFormat(QStringLiteral("%v / %m"));
    progress->hide();
    panel->addWidget(progress);
    LbSpeedButton4 = button(QStringLiteral("LbSpeedButton4"), QStringLiteral("关闭消息！"), Panel2);
    panel->addWidget(LbSpeedButton4);
    Panel2->hide();
    column->addWidget(Panel2, 2);
    return box;
}

void TForm3::showAccount(const AccountFields& account) {
    uid->setText(account.uid);
    money->setText(account.money);
    dj->setText(account.dj);
    fdj->setText(account.fdj);
    vdj->setText(account.vdj);
    cdj->setText(account.cdj);
}

void TForm3::setScheduleVisible(bool visible) {
    for (QWidget* w : {static_cast<QWidget*>(chk1),
                       static_cast<QWidget*>(t_date),
                       static_cast<QWidget*>(t_hh),
                       static_cast<QWidget*>(t_mm),
                       static_cast<QWidget*>(Label19),
                       static_cast<QWidget*>(Label22)})
        w->setVisible(visible);
    FormResize();
}

void TForm3::txtChange() {
    const QString text = txt->toPlainText();
    const QString cleaned = cleanMessageText(text);
    if (cleaned != text) {
        const int caret =
            cleanedCaretPosition(text, txt->textCursor().position(), static_cast<int>(cleaned.size()));
        const QSignalBlocker quiet(txt);
        txt->setPlainText(cleaned);
        QTextCursor cursor = txt->textCursor();
        cursor.setPosition(caret);
        txt->setTextCursor(cursor);
    }
    const int length = static_cast<int>(cleaned.size());
    zf->setText(QString::number(length));
    const int n = charsPerSms(services_.account->get().MaxSmsChars);
    const int size = billingSize(n, length);
    maxsmstxt->setText(QString::number(size));
    if (size == n) {
        const QString caption = billingCaption(n);
        if (!caption.isNull())
            Label15->setText(caption);
    }
    sendno->setText(QString::number(partsPerNumber(length, size)));
}

void TForm3::chk1Click() {
    const bool ticked = chk1->isChecked();
    if (ticked) {
        t_date->setDate(QDate::currentDate());
        t_mm->clear();
        for (int minute = 0; minute < 60; ++minute)
            t_mm->addItem(QStringLiteral("%1").arg(minute, 2, 10, QLatin1Char('0')));
        t_mm->setCurrentText(QStringLiteral("00"));
        t_hh->setCurrentText(QStringLiteral("12"));
    }
    t_date->setEnabled(ticked);
    t_hh->setEnabled(ticked);
    t_mm->setEnabled(ticked);
}

void TForm3::Label26Click() {
    Q_EMIT balanceRefreshRequested();
}

void TForm3::setMessageText(const QString& text) {
    txt->setPlainText(text);
}

QString TForm3::messageText() const {
    return txt->toPlainText();
}

void TForm3::appendNumbers(const QStringList& numbers) {
    numbers_->appendNumbers(numbers);
}

void TForm3::FormResize() {
    const int top = 2;
    const int h = 26;
    int x = 30;
    auto place = [&x, top, h](QWidget* w, int width) {
        w->setGeometry(x, top, width, h);
        x += width + 6;
    };
    place(chk1, 90);
    place(t_date, 110);
    place(t_hh, 56);
    place(Label19, 18);
    place(t_mm, 56);
    place(Label22, 190);
    if (chk1->isHidden())
        x = 30;
    btfdy->setGeometry(x, t_mm->y(), 90, h);
    StaticText1->setGeometry(x + 100, t_mm->y(), 120, h);
}

void TForm3::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void TForm3::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TForm3::FormShow() {
    info->clear();
    startNewsFetch();
}

void TForm3::Label16Click() {
    info->clear();
    startNewsFetch();
}

void TForm3::Label14Click() {
    services_.database->close();
}

void TForm3::startNewsFetch() {
    auto* fetch =
        new load_http_new_Thread(services_.addresses.host + QStringLiteral("/softnews.htm"), newsDelay, this);
    connect(fetch, &load_http_new_Thread::fetched, this, [this](const QString& text) {
        info->appendPlainText(text);
    });
    connect(fetch, &QThread::finished, fetch, &QObject::deleteLater);
    newsFetches_.append(fetch);
    newsFetches_.removeAll(nullptr);
    fetch->start();
}

void TForm3::addLine(const QString& line) {
    sendlog->appendPlainText(line);
}

void TForm3::btsendClick() {
    const int length = zf->text().toInt();
    const int n = charsPerSms(services_.account->get().MaxSmsChars);
    if (length > n) {
        if (services_.messages->ask(
                this,
                QStringLiteral("长短信提醒"),
                longMessageQuestion(n, hm->text().toLongLong(), sendno->text().toLongLong()),
                MessageIcon::Question,
                {MessageButton::Ok, MessageButton::Cancel}) != MessageButton::Ok)
            return;
    }
    btsend->setEnabled(false);
    Panel2->show();

    SendJobInputs inputs;
    inputs.numbersText = mob->toPlainText();
    inputs.content = txt->toPlainText();
    inputs.total = hm->text().toInt();
    inputs.parts = sendno->text().toInt();
    inputs.billingSize = maxsmstxt->text().toInt();
    if (chk1->isChecked())
        inputs.time =
            scheduledTime(t_date->date(), QTime(t_hh->currentText().toInt(), t_mm->currentText().toInt()));
    inputs.gatewayUrl = gatewayUrl(services_.addresses.host);
    inputs.pause = batchPause;

    auto* job = new SendsmsThread(inputs, *services_.account, *services_.database, this);
    connect(job, &SendsmsThread::begun, this, [this] {
        LbSpeedButton4->setEnabled(false);
        sendlog->clear();
        progress->setValue(0);
        progress->show();
    });
    connect(job, &SendsmsThread::lineAdded, this, &TForm3::addLine);
    connect(job, &SendsmsThread::progressed, this, [this](int posted, int total) {
        progress->setMaximum(total);
        progress->setValue(posted);
    });
    connect(job, &SendsmsThread::balanceLowered, money, &QLabel::setText);
    connect(job, &SendsmsThread::numbersSent, this, [this](const QString& numbersRead) {
        // Numbers typed or added while the job ran are kept.
        if (mob->toPlainText() == numbersRead)
            mob->clear();
    });
    connect(job, &SendsmsThread::ended, this, [this] {
        Panel2->show();
        progress->hide();
        LbSpeedButton4->setEnabled(true);
        btsend->setEnabled(true);
    });
    connect(job, &QThread::finished, job, &QObject::deleteLater);
    job_ = job;
    job->start();
}

void TForm3::LbSpeedButton4Click() {
    Panel2->hide();
    sendlog->clear();
}

bool TForm3::sending() const {
    return !job_.isNull();
}

void TForm3::stopWorkers() {
    if (job_)
        job_->finishBatchThenStop();
    for (const QPointer<load_http_new_Thread>& fetch : newsFetches_)
        if (fetch)
            fetch->cancel();
}

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && watched == Panel2) {
        LbSpeedButton4Click();
        return true;
    }
    if (event->type() != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    if (watched == Label26)
        Label26Click();
    else if (watched == Label16)
        Label16Click();
    else if (watched == Label14)
        Label14Click();
    else if (watched == StaticText1)
        services_.shell->openDocument(QDir(services_.programFolder).filePath(QStringLiteral("keyword.txt")));
    else
        return QWidget::eventFilter(watched, event);
    return true;
}

} // namespace parlumo
