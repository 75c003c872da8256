// The controls of the MMS screen and where they stand.
#include "mms/mms_records.h"
#include "mms/mms_screen.h"
#include "toolkit/screen_setup.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace parlumo {

namespace {

const char* const kPromotion =
    "<p><b>为什么要选择彩信：</b></p>"
    "<p>图文并茂：一条彩信同时带上图片和文字，比纯文字更直观，客户一眼就能记住您的产品。</p>"
    "<p>容量更大：文字最多可达1000个字，产品介绍、活动安排、会议通知一次说清楚。</p>"
    "<p>形象专业：标题写上您的姓名或单位名称，客户打开之前就知道是谁发来的。</p>"
    "<p>直达手机：无需上网、无需安装任何软件，客户在手机上直接查看，随时可以转发。</p>";

QLineEdit* figure(const QString& name, QWidget* parent) {
    auto* edit = named(new QLineEdit(QStringLiteral("0"), parent), name);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignCenter);
    edit->setFixedWidth(64);
    return edit;
}

// Refuses typing that makes the text longer than a limit; a longer text set by the program (the
// file dialog's full path) stays and can still be shortened.
class TypingLimit final : public QObject {
public:
    TypingLimit(QLineEdit* edit, int maxChars) : QObject(edit) {
        connect(edit, &QLineEdit::textEdited, this, [this, edit, maxChars](const QString& text) {
            if (text.size() <= maxChars || text.size() <= before_.size())
                return;
            const int caret = edit->cursorPosition() - static_cast<int>(text.size() - before_.size());
            edit->setText(before_);
            edit->setCursorPosition(caret);
        });
        // The edit's own text, not the signal's: a refused edit still reports its text afterwards.
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { before_ = edit->text(); });
    }

private:
    QString before_;
};

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("font-weight:bold;"));
    return label;
}

} // namespace

QWidget* TForm14::buildSide() {
    auto* side = new QWidget(this);
    side->setFixedWidth(220);
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    tv1 = named(new QTreeWidget(side), QStringLiteral("tv1"));
    tv1->setHeaderHidden(true);
    tv1->setFixedHeight(90);
    auto* root = new QTreeWidgetItem(tv1, {QStringLiteral("彩信群发")});
    new QTreeWidgetItem(root, {QStringLiteral("新建彩信")});
    new QTreeWidgetItem(root, {QStringLiteral("发送记录")});
    tv1->expandAll();
    column->addWidget(tv1);
    Memo2 = named(new QTextEdit(side), QStringLiteral("Memo2"));
    Memo2->setReadOnly(true);
    Memo2->setHtml(QString::fromUtf8(kPromotion));
    Memo2->setStyleSheet(QStringLiteral("QTextEdit{background:#f4f8fd;}"));
    column->addWidget(Memo2, 1);
    return side;
}

QWidget* TForm14::buildComposePage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);

    auto* titleRow = new QHBoxLayout;
    lbl1 = named(caption(QStringLiteral("彩信标题："), page), QStringLiteral("lbl1"));
    titleRow->addWidget(lbl1);
    mmstitle = named(new QLineEdit(kTitleHint, page), QStringLiteral("mmstitle"));
    mmstitle->setMaxLength(50);
    titleRow->addWidget(mmstitle, 1);
    titleRow->addSpacing(16);
    RadioButton1 = named(new QRadioButton(QStringLiteral("图文彩信"), page), QStringLiteral("RadioButton1"));
    RadioButton1->setChecked(true);
    RadioButton2 = named(new QRadioButton(QStringLiteral("文字彩信"), page), QStringLiteral("RadioButton2"));
    titleRow->addWidget(RadioButton1);
    titleRow->addWidget(RadioButton2);
    column->addLayout(titleRow);

    column->addWidget(buildMessage(page), 1);
    column->addWidget(buildPicture(page));
    column->addWidget(buildNumbers(page), 2);

    auto* sendRow = new QHBoxLayout;
    sendProgress = named(new QProgressBar(page), QStringLiteral("sendProgress"));
    sendProgress->setTextVisible(false);
    sendRow->addWidget(sendProgress, 1);
    LbSpeedButton3 = namedButton(QStringLiteral("LbSpeedButton3"), QStringLiteral("发送彩信"), page);
    LbSpeedButton3->setMinimumSize(160, 36);
    LbSpeedButton3->setStyleSheet(
        QStringLiteral("QPushButton{background:#1f6fd1;color:white;font-weight:bold;border-radius:4px;}"
                       "QPushButton:disabled{background:#9bb7dc;}"));
    sendRow->addWidget(LbSpeedButton3);
    column->addLayout(sendRow);
    return page;
}

QWidget* TForm14::buildMessage(QWidget* page) {
    auto* box = new QWidget(page);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    auto* heading = new QHBoxLayout;
    heading->addWidget(caption(QStringLiteral("彩信文字内容"), box));
    heading->addSpacing(12);
    heading->addWidget(new QLabel(QStringLiteral("最大支持"), box));
    max_txt = named(new QLabel(QStringLiteral("500"), box), QStringLiteral("max_txt"));
    max_txt->setStyleSheet(QStringLiteral("color:red;font-weight:bold;"));
    heading->addWidget(max_txt);
    heading->addWidget(new QLabel(QStringLiteral("个字符。"), box));
    heading->addStretch();
    heading->addWidget(new QLabel(QStringLiteral("字符数："), box));
    zf = figure(QStringLiteral("zf"), box);
    zf->setStyleSheet(QStringLiteral("color:red;font-weight:bold;"));
    heading->addWidget(zf);
    heading->addSpacing(8);
    btfdy = namedButton(QStringLiteral("btfdy"), QStringLiteral("插入短语"), box);
    heading->addWidget(btfdy);
    column->addLayout(heading);
    mmstxt = named(new QPlainTextEdit(box), QStringLiteral("mmstxt"));
    mmstxt->setMinimumHeight(90);
    column->addWidget(mmstxt, 1);
    return box;
}

QWidget* TForm14::buildPicture(QWidget* page) {
    GroupBox5 = named(new QGroupBox(QStringLiteral("彩铃文件"), page), QStringLiteral("GroupBox5"));
    auto* row = new QHBoxLayout(GroupBox5);
    auto* choice = new QVBoxLayout;
    edtmmfile = named(new QLineEdit(GroupBox5), QStringLiteral("edtmmfile"));
    new TypingLimit(edtmmfile, 17);
    choice->addWidget(edtmmfile);
    auto* buttons = new QHBoxLayout;
    LbSpeedButton1 = namedButton(QStringLiteral("LbSpeedButton1"), QStringLiteral("添加彩铃文件"), GroupBox5);
    LbSpeedButton2 =
        namedButton(QStringLiteral("LbSpeedButton2"), QStringLiteral("更多彩铃文件.."), GroupBox5);
    buttons->addWidget(LbSpeedButton1);
    buttons->addWidget(LbSpeedButton2);
    buttons->addStretch();
    choice->addLayout(buttons);
    row->addLayout(choice, 3);
    Memo4 = named(new QPlainTextEdit(GroupBox5), QStringLiteral("Memo4"));
    Memo4->setReadOnly(true);
    Memo4->setPlainText(QStringLiteral("支持的文件太小：50K\n图片格式： GIF、JPEG、BMP、PNG等图片等。"));
    Memo4->setFrameShape(QFrame::NoFrame);
    Memo4->setStyleSheet(QStringLiteral("QPlainTextEdit{background:transparent;color:#555;}"));
    Memo4->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo4->setFixedHeight(Memo4->fontMetrics().lineSpacing() * 3 + 12); // room for the lines wrapped once
    row->addWidget(Memo4, 2);
    return GroupBox5;
}

QWidget* TForm14::buildNumbers(QWidget* page) {
    auto* box = new QGroupBox(QStringLiteral("彩信接收号码 (多个号码请 换行)"), page);
    auto* row = new QHBoxLayout(box);
    auto* numbers = new QVBoxLayout;
    mob = named(new QPlainTextEdit(box), QStringLiteral("mob"));
    mob->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mob->setMinimumHeight(110);
    numbers->addWidget(mob, 1);
    auto* count = new QHBoxLayout;
    count->addWidget(new QLabel(QStringLiteral("号码数："), box));
    hm = figure(QStringLiteral("hm"), box);
    hm->setFixedWidth(80);
    count->addWidget(hm);
    count->addStretch();
    numbers->addLayout(count);
    row->addLayout(numbers, 1);

    GroupBox3 = named(new QGroupBox(QStringLiteral("操作"), box), QStringLiteral("GroupBox3"));
    auto* tools = new QVBoxLayout(GroupBox3);
    LbSpeedButton9 = namedButton(QStringLiteral("LbSpeedButton9"), QStringLiteral("导出号码"), GroupBox3);
    LbSpeedButton12 = namedButton(QStringLiteral("LbSpeedButton12"), QStringLiteral("清空号码"), GroupBox3);
    LbSpeedButton11 = namedButton(QStringLiteral("LbSpeedButton11"), QStringLiteral("过滤重号"), GroupBox3);
    LbSpeedButton600 =
        namedButton(QStringLiteral("LbSpeedButton600"), QStringLiteral("删除选中号码"), GroupBox3);
    LbSpeedButton59 =
        namedButton(QStringLiteral("LbSpeedButton59"), QStringLiteral("从TEXT中提取号码"), GroupBox3);
    for (QPushButton* b :
         {LbSpeedButton59, LbSpeedButton9, LbSpeedButton600, LbSpeedButton11, LbSpeedButton12})
        tools->addWidget(b);
    tools->addStretch();
    row->addWidget(GroupBox3);
    return box;
}

QWidget* TForm14::buildRecordsPage() {
    auto* page = new QWidget;
    records_ = new DateRangeRecords(services_, mmsRecordsConfig(), page);
    auto* details = new QHBoxLayout;
    auto detail = [page, details](QLabel*& label,
                                  const QString& labelName,
                                  const QString& text,
                                  QPlainTextEdit*& memo,
                                  const QString& memoName,
                                  int stretch) {
        auto* column = new QVBoxLayout;
        label = named(new QLabel(text, page), labelName);
        column->addWidget(label);
        memo = named(new QPlainTextEdit(page), memoName);
        memo->setReadOnly(true);
        memo->setFixedHeight(110);
        column->addWidget(memo);
        details->addLayout(column, stretch);
    };
    detail(lbl2, QStringLiteral("lbl2"), QStringLiteral("接收号码"), mmo1, QStringLiteral("mmo1"), 1);
    detail(lbl3, QStringLiteral("lbl3"), QStringLiteral("彩信内容"), mmo2, QStringLiteral("mmo2"), 3);
    records_->layout()->addLayout(details);
    return page;
}

} // namespace parlumo
