#include "contacts/import_dialog.h"

#include "contacts/sample_sheet.h"
#include "core/services.h"
#include "data/spreadsheet_reader.h"
#include "text/trim_controls.h"
#include "toolkit/busy_cursor.h"
#include "toolkit/message_box.h"
#include "toolkit/screen_setup.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace parlumo {

namespace {

const QString kSmsMode = QStringLiteral("form3");
const QString kVoiceMode = QStringLiteral("form12");
const QString kAddressBookMode = QStringLiteral("form4");
// The address book's filter: every kind of sheet the import reads, the program's own exports too.
const QString kAddressBookFilter = QStringLiteral("Excel(*.xls *.xlsx *.csv)|*.xls;*.xlsx;*.csv");

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = namedButton(name, caption, parent);
    b->setMinimumWidth(96);
    return b;
}

} // namespace

TForm9::TForm9(Services& services, QWidget* parent) : QDialog(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm9"), QStringLiteral("导入号码"));
    setModal(true);
    actionpg = named(new QLineEdit(this), QStringLiteral("actionpg"));
    actionpg->hide();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 14, 16, 14);
    column->setSpacing(10);
    column->addWidget(buildLayoutTexts());
    column->addWidget(buildFileRow());
    column->addWidget(buildButtons());
    setFixedSize(sizeHint());
}

QWidget* TForm9::buildLayoutTexts() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    auto* heading = new QLabel(QStringLiteral("请按照以下顺序调表格内容(首列必须是手机或电话号码)"), box);
    heading->setStyleSheet(QStringLiteral("font-weight:bold;"));
    column->addWidget(heading);
    for (const QString& text : {QStringLiteral("第一列为:号码(不能为空)"),
                                QStringLiteral("第二列为:姓名(可为空)"),
                                QStringLiteral("第三列为:其它联系方式(可为空)"),
                                QStringLiteral("第四列为:备注(可为空)")})
        column->addWidget(new QLabel(text, box));
    auto* sample = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("示例"), box);
    caption->setAlignment(Qt::AlignTop);
    sample->addWidget(caption);
    Image1 = named(new QLabel(box), QStringLiteral("Image1"));
    Image1->setPixmap(sampleSheetPicture(font()));
    sample->addWidget(Image1);
    sample->addStretch();
    column->addSpacing(4);
    column->addLayout(sample);
    return box;
}

QWidget* TForm9::buildFileRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("请选择文件位置"), row));
    Edit1 = named(new QLineEdit(row), QStringLiteral("Edit1"));
    Edit1->setMinimumWidth(300);
    layout->addWidget(Edit1, 1);
    btsch = button(QStringLiteral("btsch"), QStringLiteral("浏览文件"), row);
    connect(btsch, &QPushButton::clicked, this, &TForm9::btschClick);
    layout->addWidget(btsch);
    return row;
}

QGroupBox* TForm9::buildButtons() {
    GroupBox1 = named(new QGroupBox(QStringLiteral("导入号码"), this), QStringLiteral("GroupBox1"));
    auto* row = new QHBoxLayout(GroupBox1);
    row->addStretch();
    const QString importCaption = QStringLiteral("导入数据");
    LbSpeedButton1 = button(QStringLiteral("LbSpeedButton1"), importCaption, GroupBox1);
    LbSpeedButton2 = button(QStringLiteral("LbSpeedButton2"), importCaption, GroupBox1);
    LbSpeedButton4 = button(QStringLiteral("LbSpeedButton4"), importCaption, GroupBox1);
    LbSpeedButton3 = button(QStringLiteral("LbSpeedButton3"), QStringLiteral("关闭"), GroupBox1);
    LbSpeedButton2->hide();
    for (QPushButton* b : {LbSpeedButton1, LbSpeedButton2, LbSpeedButton4, LbSpeedButton3})
        row->addWidget(b);
    row->addStretch();
    connect(LbSpeedButton1, &QPushButton::clicked, this, &TForm9::LbSpeedButton1Click);
    connect(LbSpeedButton2, &QPushButton::clicked, this, &TForm9::LbSpeedButton2Click);
    connect(LbSpeedButton4, &QPushButton::clicked, this, &TForm9::LbSpeedButton4Click);
    connect(LbSpeedButton3, &QPushButton::clicked, this, &TForm9::LbSpeedButton3Click);
    return GroupBox1;
}

void TForm9::openFor(const QString& mode) {
    if (isVisible())
        return;
    actionpg->setText(mode);
    // The address book shows spreadsheet files only; the other openers keep the filter as it is.
    if (mode == kAddressBookMode)
        OpenDialog1.filter = kAddressBookFilter;
    exec();
}

void TForm9::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TForm9::FormShow() {
    const QString mode = actionpg->text();
    LbSpeedButton1->setVisible(mode != kSmsMode && mode != kVoiceMode);
    LbSpeedButton2->setVisible(mode == kSmsMode);
    LbSpeedButton4->setVisible(mode == kVoiceMode);
}

void TForm9::btschClick() {
    OpenDialog1.caption = QStringLiteral("请选择相应的Excel文件");
    const QString path = services_.fileDialogs->openFile(this, OpenDialog1);
    if (!path.isEmpty())
        Edit1->setText(path);
}

std::optional<SpreadsheetReader> TForm9::openSheet() {
    const QString path = trimControls(Edit1->text());
    if (path.isEmpty()) {
        services_.messages->inform(
            this, QStringLiteral("警告"), QStringLiteral("请正确选择相关路径！"), MessageIcon::Warning);
        return std::nullopt;
    }
    try {
        const BusyCursor busy;
        return SpreadsheetReader::open(path);
    } catch (const SpreadsheetContentError&) {
        reportFailure();
    } catch (const Error& error) {
        services_.messages->showMessage(this, error.reason());
    }
    return std::nullopt;
}

// Address-book import: the contacts are stored together, so a failure leaves none of them.
void TForm9::LbSpeedButton1Click() {
    const std::optional<SpreadsheetReader> sheet = openSheet();
    if (!sheet)
        return;
    bool stored = false;
    {
        const BusyCursor busy;
        Q_EMIT contactsImported(importedContacts(*sheet), &stored);
    }
    if (stored)
        reportSuccess();
    else
        reportFailure();
}

void TForm9::LbSpeedButton2Click() {
    importNumbers(NumberImport::Sms);
}

void TForm9::LbSpeedButton4Click() {
    importNumbers(NumberImport::Voice);
}

// The whole list goes over in one call, so the memo changes and recounts once however long it is.
void TForm9::importNumbers(NumberImport target) {
    const std::optional<SpreadsheetReader> sheet = openSheet();
    if (!sheet)
        return;
    {
        const BusyCursor busy;
        const QStringList numbers = importedNumbers(*sheet, target);
        if (target == NumberImport::Sms)
            Q_EMIT smsNumbersImported(numbers);
        else
            Q_EMIT voiceNumbersImported(numbers);
    }
    reportSuccess();
}

void TForm9::LbSpeedButton3Click() {
    close();
}

void TForm9::reportFailure() {
    services_.messages->inform(
        this, QStringLiteral("提示信息"), QStringLiteral("导入数据出错！请检查文件的格式是否正确！"));
}

void TForm9::reportSuccess() {
    services_.messages->inform(
        this, QStringLiteral("导入提示"), QStringLiteral("数据导入成功!"), MessageIcon::Warning);
    accept();
}

} // namespace parlumo
