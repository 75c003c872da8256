#include "voice/voice_task_page.h"

#include "core/account_state.h"
#include "core/services.h"
#include "data/database.h"
#include "data/file_bytes.h"
#include "text/excerpt.h"
#include "text/trim_controls.h"
#include "toolkit/file_dialogs.h"
#include "toolkit/message_box.h"
#include "toolkit/screen_setup.h"
#include "voice/vlist_record.h"
#include "voice/voice_task_rules.h"
#include "widgets/forbidden_word_check.h"
#include "widgets/number_memo.h"
#include "widgets/paragraph_text.h"
#include "widgets/service_call.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSoundEffect>
#include <QVBoxLayout>

namespace parlumo {

namespace {

const QString kRecordingMode = QStringLiteral("3");
const QString kSynthesisMode = QStringLiteral("1");
const QString kRecordingFolder = QStringLiteral("声音文件");
const QString kRecordingFilter = QStringLiteral("声音文件.wav|*.wav|声音文件.WAV|*.WAV|所有文件.*|*.*");
const QString kNoText = QStringLiteral("NOTXT");
const QString kUnknownError = QStringLiteral("未知错误！可能由网络引起，请咨询相关人员。错误码：");

QLabel* note(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color:#666;"));
    return label;
}

} // namespace

VoiceTaskPage::VoiceTaskPage(Services& services, QLineEdit* hm, QWidget* parent)
    : QWidget(parent), hm(hm), services_(services) {
    setObjectName(QStringLiteral("tt1"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(buildNumbers(), 3);
    column->addWidget(buildMode());
    column->addWidget(buildText(), 2);
    column->addWidget(buildServiceNumber());

    auto* sendRow = new QHBoxLayout;
    LbSpeedButton2 = primaryButton(QStringLiteral("LbSpeedButton2"), QStringLiteral("发送任务"), this);
    LbSpeedButton2->setMinimumWidth(140);
    sendRow->addWidget(LbSpeedButton2);
    sendProgress = named(new QProgressBar(this), QStringLiteral("sendProgress"));
    sendRow->addWidget(sendProgress, 1);
    sendRow->addStretch();
    column->addLayout(sendRow);

    NumberMemoConfig memo;
    memo.count = CountRule::Lines;
    memo.memoExtraKeys = QString();
    memo.entry = EntryRule::MobileOrAreaCode;
    memo.exportCaption = QStringLiteral("被叫号码");
    memo.fileFilter = QStringLiteral("文本文件.txt|*.txt|文本文件.text|*.text|所有文件.*|*.*");
    numbers_ = new NumberMemo(this, v_no, hm, inmob, memo, *services_.messages, *services_.fileDialogs);
    keepOneParagraph(v_txt, zf);
    forbiddenWords_ = new ForbiddenWordCheck(this, v_txt, services_);
    call_ = new ServiceCall(this);
    call_->setIndicator(sendProgress);
    connectHandlers();
    synthesisClick();
}

QWidget* VoiceTaskPage::buildNumbers() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    v_no = named(new QPlainTextEdit(box), QStringLiteral("v_no"));
    v_no->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    row->addWidget(v_no, 1);

    auto* tools = new QVBoxLayout;
    auto* GroupBox1 = named(new QGroupBox(QStringLiteral("号码输入(区号+号码，手机不加 '0')"), box),
                            QStringLiteral("GroupBox1"));
    auto* entry = new QHBoxLayout(GroupBox1);
    entry->addWidget(new QLabel(QStringLiteral("号码："), GroupBox1));
    inmob = named(new QLineEdit(GroupBox1), QStringLiteral("inmob"));
    inmob->setMaxLength(15);
    entry->addWidget(inmob, 1);
    entry->addWidget(new QLabel(QStringLiteral(" 回车输入"), GroupBox1));
    tools->addWidget(GroupBox1);

    LbSpeedButton3 = namedButton(QStringLiteral("LbSpeedButton3"), QStringLiteral("从名片夹提取"), box);
    LbSpeedButton4c = namedButton(QStringLiteral("LbSpeedButton4c"), QStringLiteral("Excel 中提取"), box);
    LbSpeedButton59 = namedButton(QStringLiteral("LbSpeedButton59"), QStringLiteral("文本中提取"), box);
    auto* imports = new QHBoxLayout;
    for (QPushButton* b : {LbSpeedButton3, LbSpeedButton4c, LbSpeedButton59})
        imports->addWidget(b);
    tools->addLayout(imports);

    auto* GroupBox3 = named(new QGroupBox(QStringLiteral("操作"), box), QStringLiteral("GroupBox3"));
    auto* operations = new QGridLayout(GroupBox3);
    LbSpeedButton8 = namedButton(QStringLiteral("LbSpeedButton8"), QStringLiteral("导出号码"), GroupBox3);
    LbSpeedButton600 = namedButton(QStringLiteral("LbSpeedButton600"), QStringLiteral("删除选中号码"), GroupBox3);
    LbSpeedButton7 = namedButton(QStringLiteral("LbSpeedButton7"), QStringLiteral("过滤重号"), GroupBox3);
    LbSpeedButton9 = namedButton(QStringLiteral("LbSpeedButton9"), QStringLiteral("清空号码"), GroupBox3);
    operations->addWidget(LbSpeedButton8, 0, 0);
    operations->addWidget(LbSpeedButton600, 0, 1);
    operations->addWidget(LbSpeedButton7, 1, 0);
    operations->addWidget(LbSpeedButton9, 1, 1);
    tools->addWidget(GroupBox3);
    tools->addStretch();
    row->addLayout(tools);
    return box;
}

QWidget* VoiceTaskPage::buildMode() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* GroupBox2 = named(new QGroupBox(QStringLiteral("语音合成模式"), box), QStringLiteral("GroupBox2"));
    auto* modes = new QHBoxLayout(GroupBox2);
    RadioButton1 = named(new QRadioButton(QStringLiteral("客服合成"), GroupBox2), QStringLiteral("RadioButton1"));
    RadioButton2 = named(new QRadioButton(QStringLiteral("系统合成"), GroupBox2), QStringLiteral("RadioButton2"));
    RadioButton3 = named(new QRadioButton(QStringLiteral("录音文件"), GroupBox2), QStringLiteral("RadioButton3"));
    RadioButton2->setChecked(true);
    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3})
        modes->addWidget(b);
    mode = named(new QLineEdit(kSynthesisMode, GroupBox2), QStringLiteral("mode"));
    mode->hide();
    GroupBox2->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    row->addWidget(GroupBox2);

    Panel3 = named(new QWidget(box), QStringLiteral("Panel3"));
    auto* recording = new QHBoxLayout(Panel3);
    recording->setContentsMargins(6, 0, 0, 0);
    recording->addWidget(named(new QLabel(QStringLiteral("录音文件："), Panel3), QStringLiteral("Label12")));
    v_file = named(new QLineEdit(Panel3), QStringLiteral("v_file"));
    v_file->setReadOnly(true);
    recording->addWidget(v_file, 1);
    bt8 = namedButton(QStringLiteral("bt8"), QStringLiteral("浏览.."), Panel3);
    sounbt = namedButton(QStringLiteral("sounbt"), QStringLiteral("试听"), Panel3);
    recording->addWidget(bt8);
    recording->addWidget(sounbt);
    row->addWidget(Panel3, 1);
    row->addStretch();
    return box;
}

QWidget* VoiceTaskPage::buildText() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(named(
        new QLabel(QStringLiteral("语音文字：选择 录音文件 模式时可留空。最大字符支持：5000个字符。"), box),
        QStringLiteral("Label8")));
    v_txt = named(new QPlainTextEdit(box), QStringLiteral("v_txt"));
    v_txt->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    column->addWidget(v_txt, 1);
    auto* count = new QHBoxLayout;
    count->addWidget(new QLabel(QStringLiteral("字符数："), box));
    zf = named(new QLineEdit(QStringLiteral("0"), box), QStringLiteral("zf"));
    zf->setReadOnly(true);
    zf->setAlignment(Qt::AlignCenter);
    zf->setFixedWidth(64);
    count->addWidget(zf);
    count->addStretch();
    btfdy = namedButton(QStringLiteral("btfdy"), QStringLiteral("常用短语"), box);
    count->addWidget(btfdy);
    column->addLayout(count);
    return box;
}

QWidget* VoiceTaskPage::buildServiceNumber() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("服务电话：    "), box));
    v_svrno = named(new QLineEdit(box), QStringLiteral("v_svrno"));
    v_svrno->setMaxLength(500);
    row->addWidget(v_svrno, 1);
    row->addWidget(note(QStringLiteral("多个号码用逗号 , 分隔。"), box));
    column->addLayout(row);
    column->addWidget(
        note(QStringLiteral("区号+号码。是指被叫用户听完后按 0 键转接的人工座席号码，可以是座机、或手机。"), box));
    return box;
}

void VoiceTaskPage::connectHandlers() {
    connect(LbSpeedButton3, &QPushButton::clicked, this, &VoiceTaskPage::addressBookRequested);
    connect(LbSpeedButton4c, &QPushButton::clicked, this, [this] {
        Q_EMIT spreadsheetImportRequested(QStringLiteral("form12"));
    });
    connect(LbSpeedButton59, &QPushButton::clicked, numbers_, &NumberMemo::loadTextFile);
    connect(LbSpeedButton8, &QPushButton::clicked, numbers_, &NumberMemo::exportNumbers);
    connect(LbSpeedButton600, &QPushButton::clicked, numbers_, &NumberMemo::deleteCaretLine);
    connect(LbSpeedButton7, &QPushButton::clicked, numbers_, &NumberMemo::removeDuplicates);
    connect(LbSpeedButton9, &QPushButton::clicked, numbers_, &NumberMemo::clear);
    connect(RadioButton1, &QRadioButton::clicked, this, &VoiceTaskPage::synthesisClick);
    connect(RadioButton2, &QRadioButton::clicked, this, &VoiceTaskPage::synthesisClick);
    connect(RadioButton3, &QRadioButton::clicked, this, &VoiceTaskPage::RadioButton3Click);
    connect(bt8, &QPushButton::clicked, this, &VoiceTaskPage::bt8Click);
    connect(sounbt, &QPushButton::clicked, this, &VoiceTaskPage::sounbtClick);
    connect(btfdy, &QPushButton::clicked, this, &VoiceTaskPage::phrasesRequested);
    connect(LbSpeedButton2, &QPushButton::clicked, this, &VoiceTaskPage::LbSpeedButton2Click);
    connect(call_, &ServiceCall::answered, this, &VoiceTaskPage::taskAnswered);
    connect(call_, &ServiceCall::failed, this, &VoiceTaskPage::taskFailed);
}

void VoiceTaskPage::appendNumbers(const QStringList& numbers) {
    numbers_->appendNumbers(numbers);
}

void VoiceTaskPage::setSpokenText(const QString& text) {
    v_txt->setPlainText(text);
}

void VoiceTaskPage::synthesisClick() {
    mode->setText(kSynthesisMode);
    v_txt->setEnabled(true);
    Panel3->hide();
}

void VoiceTaskPage::RadioButton3Click() {
    mode->setText(kRecordingMode);
    v_txt->setEnabled(false);
    Panel3->show();
}

void VoiceTaskPage::bt8Click() {
    const QString path = services_.fileDialogs->openFile(
        this,
        FileDialogRequest{QString(), kRecordingFilter, QDir(services_.programFolder).filePath(kRecordingFolder), QString()});
    if (!path.isEmpty())
        v_file->setText(path);
}

void VoiceTaskPage::sounbtClick() {
    // Played without waiting for the end; a file the player cannot play stays silent.
    if (v_file->text().isEmpty())
        return;
    if (!player_)
        player_ = named(new QSoundEffect(this), QStringLiteral("player"));
    player_->stop();
    player_->setSource(QUrl::fromLocalFile(v_file->text()));
    player_->play();
}

void VoiceTaskPage::LbSpeedButton2Click() {
    MessageBoxes& messages = *services_.messages;
    if (hm->text().toInt() < 1) {
        messages.inform(this, QStringLiteral("提示"), QStringLiteral("被叫号码不能为空！"));
        v_no->setFocus();
        return;
    }
    Task task;
    task.spoken = trimControls(v_txt->toPlainText());
    if (mode->text() != kRecordingMode) {
        if (spokenTextTooShort(v_txt->toPlainText())) {
            messages.inform(this, QStringLiteral("提示"), QStringLiteral("语音文字不能少于5个字符 "));
            v_txt->setFocus();
            return;
        }
        // A recording is sent without the text, so only a spoken text is checked.
        if (!forbiddenWords_->passes())
            return;
    } else {
        if (v_file->text().isEmpty()) {
            messages.inform(
                this, QStringLiteral("提示"), QStringLiteral(" 请选择录音文件，大小最好不要超过2M。格式是*.WAV "));
            return;
        }
        messages.inform(this,
                        QStringLiteral("提示"),
                        QStringLiteral("您选择的是自有录音文件上传方式，因为网速原因,请您耐心等侯！"));
        try {
            task.recording = readFileBytes(v_file->text());
        } catch (const Error& error) {
            messages.showMessage(this, error.reason());
            return;
        }
        task.spoken = kNoText;
    }
    LbSpeedButton2->setEnabled(false);

    const AccountFields account = services_.account->get();
    task.uid = trimControls(account.uid);
    task.pwd = trimControls(account.pwd);
    task.endpoint = trimControls(account.service_url);
    task.numbersText = v_no->toPlainText();
    task.vto = voiceNumberString(task.numbersText);
    task.mode = trimControls(mode->text());
    task.svrno = trimControls(v_svrno->text());
    task.count = trimControls(hm->text());
    task.storedText = trimControls(v_txt->toPlainText());
    task.fileName = QFileInfo(v_file->text()).fileName();
    task_ = task;
    call_->start([task](const SoapCallControl& control) {
        return soapClientFor(task.endpoint, control)
            .SendVoice(task.uid,
                       task.pwd,
                       task.vto,
                       task.spoken,
                       task.mode,
                       task.recording,
                       task.svrno,
                       QString(),
                       QString());
    });
}

// The call brought no reply, so the message carries none after its code label.
void VoiceTaskPage::taskFailed() {
    LbSpeedButton2->setEnabled(true);
    services_.messages->inform(this, QStringLiteral("登录提示"), kUnknownError);
}

void VoiceTaskPage::taskAnswered(const QString& reply) {
    LbSpeedButton2->setEnabled(true);
    if (const std::optional<VoiceMessage> refusal = voiceRefusal(reply)) {
        services_.messages->inform(this, refusal->caption, refusal->text);
        return;
    }
    taskAccepted(reply);
}

void VoiceTaskPage::taskAccepted(const QString& reply) {
    AccountFields account;
    services_.account->change([&](AccountFields& a) {
        a.money = balanceAfter(a.money, a.vdj, task_.count.toLongLong());
        account = a;
    });
    Q_EMIT accountChanged(account);
    services_.messages->inform(this, QStringLiteral("登录提示"), QStringLiteral("任务发送成功！任务号：") + excerpt(reply));
    try {
        services_.database->execute(vlistInsert(
            {task_.uid, reply, task_.mode, task_.count, task_.vto, task_.storedText, task_.fileName}));
    } catch (const DatabaseError& error) {
        services_.messages->inform(
            this, QStringLiteral("提示"), unrecordedTaskMessage(reply, error.reason()), MessageIcon::Warning);
        return;
    }
    // Numbers typed or added while the task was on its way are kept.
    if (v_no->toPlainText() == task_.numbersText)
        numbers_->clear();
}

} // namespace parlumo
