// The spreadsheet import dialog in a whole program: opened by each screen's button, reading real
// workbooks and handing their rows to the compose screen, the voice screen or the address book.
#include "contacts/address_book_screen.h"
#include "contacts/import_dialog.h"
#include "core/account_state.h"
#include "data/database.h"
#include "data/spreadsheet_writer.h"
#include "sms/compose_screen.h"
#include "voice/voice_screen.h"

#include "tests/support/program_fixture.h"
#include "tests/support/xlsx_parts.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTimer>
#include <functional>

namespace parlumo {
namespace {

const QString kFormatMessage =
    QStringLiteral("提示信息 | 导入数据出错！请检查文件的格式是否正确！ | information");
const QString kSuccessMessage = QStringLiteral("导入提示 | 数据导入成功! | warning");
const QString kNoPathMessage = QStringLiteral("警告 | 请正确选择相关路径！ | warning");
const QString kAddressBookFilter = QStringLiteral("Excel(*.xls *.xlsx *.csv)|*.xls;*.xlsx;*.csv");

QString described(const MessageRequest& m) {
    return m.caption + QStringLiteral(" | ") + m.text + QStringLiteral(" | ") + messageIconName(m.icon);
}

enum class Opener { Compose, Voice, AddressBook };

class ImportDialogTest : public test::ProgramTest {
protected:
    void SetUp() override {
        services().account->change([](AccountFields& a) { a.uid = " demo "; });
    }

    TForm9& dialog() { return *screens().Form9; }
    QPlainTextEdit* mob() { return child<QPlainTextEdit>(*screens().Form3, "mob"); }
    QPlainTextEdit* v_no() { return child<QPlainTextEdit>(*screens().Form12, "v_no"); }
    QLineEdit* Edit1() { return child<QLineEdit>(dialog(), "Edit1"); }

    void open(Opener opener) {
        switch (opener) {
        case Opener::Compose:
            child<QPushButton>(*screens().Form3, "LbSpeedButton3")->click();
            break;
        case Opener::Voice:
            child<QPushButton>(*screens().Form12, "LbSpeedButton4c")->click();
            break;
        case Opener::AddressBook:
            child<QPushButton>(*screens().Form4, "btexin")->click();
            break;
        }
    }

    // Opens the dialog the way the user does (modal) and runs `inside` while it is shown; a
    // dialog still open afterwards is closed. Returns whether it was shown modally.
    bool whileOpen(Opener opener, const std::function<void(TForm9&)>& inside) {
        bool modal = false;
        QTimer::singleShot(0, &dialog(), [&] {
            modal = dialog().isVisible() && dialog().isModal();
            inside(dialog());
            if (dialog().isVisible())
                dialog().reject();
        });
        open(opener);
        return modal;
    }

    // Opens the dialog, puts `path` into Edit1 and presses the import button that shows. Returns
    // whether the dialog was still open after the import.
    bool importFile(Opener opener, const QString& path) {
        bool stayedOpen = false;
        EXPECT_TRUE(whileOpen(opener, [&](TForm9& d) {
            Edit1()->setText(path);
            for (const char* name : {"LbSpeedButton1", "LbSpeedButton2", "LbSpeedButton4"})
                if (QPushButton* b = child<QPushButton>(d, name); b->isVisible())
                    b->click();
            stayedOpen = d.isVisible();
        }));
        return stayedOpen;
    }

    QStringList shownMessages() {
        QStringList all;
        for (const MessageRequest& m : messages->shown)
            all << described(m);
        return all;
    }

    // Every contact as "mobno|tname|othertel|memo|uid|tid", in key order.
    QStringList contacts() {
        QSqlQuery rows = services().database->execute(
            SqlText("select mobno,tname,othertel,memo,uid,tid from telbook order by id"));
        QStringList all;
        while (rows.next()) {
            QStringList fields;
            for (int i = 0; i < 6; ++i)
                fields << rows.value(i).toString();
            all << fields.join('|');
        }
        return all;
    }
};

TEST_F(ImportDialogTest, EachOpenerShowsTheOneImportButtonOfItsModeWord) {
    const struct {
        Opener opener;
        const char* mode;
        const char* button;
    } cases[] = {{Opener::Compose, "form3", "LbSpeedButton2"},
                 {Opener::Voice, "form12", "LbSpeedButton4"},
                 {Opener::AddressBook, "form4", "LbSpeedButton1"},
                 {Opener::Compose, "form3", "LbSpeedButton2"}};
    for (const auto& c : cases) {
        QStringList visible;
        QString mode;
        EXPECT_TRUE(whileOpen(c.opener, [&](TForm9& d) {
            mode = child<QLineEdit>(d, "actionpg")->text();
            for (const char* name : {"LbSpeedButton1", "LbSpeedButton2", "LbSpeedButton4", "LbSpeedButton3"})
                if (child<QPushButton>(d, name)->isVisible())
                    visible << name;
        })) << c.mode;
        EXPECT_EQ(mode, c.mode);
        EXPECT_EQ(visible, (QStringList{c.button, "LbSpeedButton3"})) << c.mode;
    }
    // Any other mode word is the address book's.
    QTimer::singleShot(0, &dialog(), [this] {
        EXPECT_TRUE(child<QPushButton>(dialog(), "LbSpeedButton1")->isVisible());
        EXPECT_FALSE(child<QPushButton>(dialog(), "LbSpeedButton4")->isVisible());
        dialog().reject();
    });
    dialog().openFor("form99");
}

TEST_F(ImportDialogTest, ShowsTheSheetLayoutItReads) {
    TForm9& d = dialog();
    EXPECT_EQ(d.windowTitle(), "导入号码");
    EXPECT_EQ(child<QGroupBox>(d, "GroupBox1")->title(), "导入号码");
    for (const char* name : {"LbSpeedButton1", "LbSpeedButton2", "LbSpeedButton4"})
        EXPECT_EQ(child<QPushButton>(d, name)->text(), "导入数据") << name;
    EXPECT_EQ(child<QPushButton>(d, "LbSpeedButton3")->text(), "关闭");
    EXPECT_EQ(child<QPushButton>(d, "btsch")->text(), "浏览文件");
    QStringList texts;
    for (const QLabel* label : d.findChildren<QLabel*>())
        texts << label->text();
    for (const char* fixed : {"请按照以下顺序调表格内容(首列必须是手机或电话号码)",
                              "第一列为:号码(不能为空)",
                              "第二列为:姓名(可为空)",
                              "第三列为:其它联系方式(可为空)",
                              "第四列为:备注(可为空)",
                              "示例",
                              "请选择文件位置"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(fixed))) << fixed;
    const QPixmap sample = child<QLabel>(d, "Image1")->pixmap();
    EXPECT_GT(sample.width(), sample.height());
    EXPECT_GT(sample.height(), 6 * 12) << "a header row and five sample rows";
}

TEST_F(ImportDialogTest, SmsImportAppendsValuesLongerThanNineCharactersInOneChange) {
    writeSpreadsheet(file("numbers.xlsx"),
                     {"手机号码", "姓名"},
                     {{"13800138000", "张三"},
                      {"123456789"},
                      {"1234567890"},
                      {""},
                      {"8881234"},
                      {"013912345678"},
                      {" 86138001380001234567 "}});
    mob()->setPlainText("13000000000");
    QSignalSpy changes(mob(), &QPlainTextEdit::textChanged);
    EXPECT_FALSE(importFile(Opener::Compose, file("numbers.xlsx")));
    EXPECT_EQ(mob()->toPlainText(),
              "13000000000\n13800138000\n1234567890\n013912345678\n86138001380001234567");
    EXPECT_EQ(changes.size(), 1) << "the list arrives in one call";
    EXPECT_EQ(child<QLineEdit>(*screens().Form3, "hm")->text(), "5");
    EXPECT_EQ(shownMessages(), (QStringList{kSuccessMessage}));
    EXPECT_TRUE(v_no()->toPlainText().isEmpty());
    EXPECT_TRUE(contacts().isEmpty());
}

TEST_F(ImportDialogTest, VoiceImportAppendsEveryValueToTheVoiceMemo) {
    writeBytes("numbers.csv",
               "被叫号码,备注\r\n13800138000,a\r\n8881234\r\n,only a note\r\n0108888777\r\n\r\n");
    EXPECT_FALSE(importFile(Opener::Voice, file("numbers.csv")));
    EXPECT_EQ(v_no()->toPlainText(), "13800138000\n8881234\n0108888777");
    EXPECT_EQ(child<QLineEdit>(*screens().Form12, "hm")->text(), "3");
    EXPECT_EQ(shownMessages(), (QStringList{kSuccessMessage}));
    EXPECT_TRUE(mob()->toPlainText().isEmpty());
}

// The loop runs to the last filled row: a sheet that starts at row 3 loses none of its rows.
TEST_F(ImportDialogTest, NumberImportsReadThroughTheLastUsedRowOfASheetStartingLower) {
    QList<test::SheetCell> cells;
    for (int row = 3; row <= 8; ++row)
        cells.append({row, 1, 13800000000.0 + row});
    test::writeWorkbook(file("low.xlsx"), cells);
    EXPECT_FALSE(importFile(Opener::Compose, file("low.xlsx")));
    EXPECT_EQ(mob()->toPlainText(),
              "13800000003\n13800000004\n13800000005\n13800000006\n13800000007\n13800000008");
    EXPECT_FALSE(importFile(Opener::Voice, test::spreadsheetFixture("ragged.xls")));
    EXPECT_EQ(v_no()->toPlainText(), "d\nf\ng\nk");
    EXPECT_EQ(shownMessages(), (QStringList{kSuccessMessage, kSuccessMessage}));
}

TEST_F(ImportDialogTest, AddressBookImportStoresContactsForTheAccountAndCurrentGroup) {
    writeSpreadsheet(file("book.xlsx"),
                     {"手机号码", "姓名", "其它联系方式", "备注"},
                     {{"13800138000", "O'Brien", "010-62345678", "'; drop table telbook; --"},
                      {"013912345678", "", "", ""},
                      {"abc", "张三"},
                      {"", "ends here"},
                      {"13700137000", "not read"}});
    EXPECT_FALSE(importFile(Opener::AddressBook, file("book.xlsx")));
    EXPECT_EQ(contacts(),
              (QStringList{"13800138000|O'Brien|010-62345678|'; drop table telbook; --|demo|0",
                           "013912345678||||demo|0",
                           QString::fromUtf8("abc|张三|||demo|0")}));
    EXPECT_EQ(shownMessages(), (QStringList{kSuccessMessage}));

    // A group chosen in the tree: the rows join it.
    child<QLabel>(*screens().Form4, "lblNodeIndex")->setText(" 7 ");
    writeBytes("more.csv", "手机号码,姓名\r\n13600136000,李四\r\n");
    EXPECT_FALSE(importFile(Opener::AddressBook, file("more.csv")));
    EXPECT_EQ(contacts().last(), QString::fromUtf8("13600136000|李四|||demo|7"));
    EXPECT_TRUE(mob()->toPlainText().isEmpty());
}

TEST_F(ImportDialogTest, AddressBookImportOfWorkbooksOfOtherPrograms) {
    EXPECT_FALSE(importFile(Opener::AddressBook, test::spreadsheetFixture("ragged.xls")));
    EXPECT_EQ(contacts(), (QStringList{"d|e|||demo|0", "f||||demo|0", "g|h|I|j|demo|0", "k|||l|demo|0"}));
    // Row 3 has no number: the import stops there, and says so as a success.
    EXPECT_FALSE(importFile(Opener::AddressBook, test::spreadsheetFixture("MergeCell.xlsx")));
    EXPECT_EQ(contacts().last(), "A2|B2|C2|D2|demo|0");
    EXPECT_EQ(contacts().size(), 5);
    // Only a header row: nothing to import, still a success.
    EXPECT_FALSE(importFile(Opener::AddressBook, test::spreadsheetFixture("SharedStrings.xlsx")));
    EXPECT_EQ(contacts().size(), 5);
    // A legacy workbook with an embedded chart; its numbers arrive as their digits.
    EXPECT_FALSE(importFile(Opener::AddressBook, test::spreadsheetFixture("Formate.xls")));
    EXPECT_EQ(contacts().mid(5),
              (QStringList{"Äcker|38406|||demo|0", "Öcker|32266|||demo|0", "Morgen|0.273611111111111|||demo|0",
                           "Mittag|0.538888888888889|||demo|0", "Abends|0.741122685185185|||demo|0",
                           "gut|0.974|||demo|0", "schlecht|0.124|||demo|0", "viel|1000.3|||demo|0",
                           "wenig|1.2|||demo|0"}));
    EXPECT_EQ(shownMessages(), (QStringList{kSuccessMessage, kSuccessMessage, kSuccessMessage, kSuccessMessage}));
}

TEST_F(ImportDialogTest, AFileThatCannotBeReadKeepsTheDialogOpenWithItsMessage) {
    writeBytes("text.xlsx", "13800138000\n");
    const QByteArray workbook = R"(<workbook><sheets><sheet name="S" r:id="rId1"/></sheets></workbook>)";
    const QByteArray relations =
        R"(<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/></Relationships>)";
    test::writePackage(file("cut.xlsx"),
                       {{"xl/workbook.xml", workbook},
                        {"xl/_rels/workbook.xml.rels", relations},
                        {"xl/worksheets/sheet1.xml", "<worksheet><sheetData><row r=\"2\"><c r=\"A2\"><v>1"}});
    QFile legacy(test::spreadsheetFixture("Formate.xls"));
    ASSERT_TRUE(legacy.open(QIODevice::ReadOnly));
    writeBytes("cut.xls", legacy.read(5000));
    const struct {
        QString path;
        QString message;
    } cases[] = {
        {"", kNoPathMessage},
        {" \t ", kNoPathMessage},
        {file("absent.xlsx"), "Parlumo | 文件不存在：" + file("absent.xlsx") + " | none"},
        {file("text.xlsx"), "Parlumo | 无法打开表格文件：" + file("text.xlsx") + " | none"},
        {file("cut.xlsx"), kFormatMessage},
        {file("cut.xls"), kFormatMessage},
    };
    mob()->setPlainText("13000000000");
    for (const auto& c : cases) {
        for (Opener opener : {Opener::Compose, Opener::Voice, Opener::AddressBook}) {
            messages->shown.clear();
            EXPECT_TRUE(importFile(opener, c.path)) << c.path.toStdString();
            EXPECT_EQ(shownMessages(), (QStringList{c.message})) << c.path.toStdString();
        }
    }
    EXPECT_EQ(mob()->toPlainText(), "13000000000");
    EXPECT_TRUE(v_no()->toPlainText().isEmpty());
    EXPECT_TRUE(contacts().isEmpty());
}

// The contacts go in together: when one cannot be stored, none is, and the dialog stays open.
TEST_F(ImportDialogTest, AFailedStoreOfContactsStoresNoneAndKeepsTheDialogOpen) {
    services().database->execute(
        SqlText("create trigger refuse before insert on telbook "
                "when new.mobno='13800000003' begin select raise(abort,'full'); end"));
    QList<QStringList> rows;
    for (int i = 1; i <= 5; ++i)
        rows.append({QStringLiteral("1380000000%1").arg(i), "n"});
    writeSpreadsheet(file("book.xlsx"), {"手机号码", "姓名"}, rows);
    EXPECT_TRUE(importFile(Opener::AddressBook, file("book.xlsx")));
    EXPECT_EQ(shownMessages(), (QStringList{kFormatMessage}));
    EXPECT_TRUE(contacts().isEmpty());
}

TEST_F(ImportDialogTest, BrowsingPutsThePickedPathAndTheAddressBookSetsTheFilterForGood) {
    QList<FileDialogRequest>& requests = fileDialogs->requests;
    fileDialogs->answers = {"/data/first.xlsx", "", "/data/second.xls", "/data/third.csv"};
    auto browse = [this](Opener opener) {
        QString path;
        whileOpen(opener, [&](TForm9& d) {
            child<QPushButton>(d, "btsch")->click();
            path = Edit1()->text();
        });
        return path;
    };
    EXPECT_EQ(browse(Opener::Compose), "/data/first.xlsx");
    EXPECT_EQ(browse(Opener::Voice), "/data/first.xlsx") << "a cancelled dialog changes nothing";
    EXPECT_EQ(browse(Opener::AddressBook), "/data/second.xls");
    EXPECT_EQ(browse(Opener::Compose), "/data/third.csv");
    ASSERT_EQ(requests.size(), 4);
    for (const FileDialogRequest& request : requests)
        EXPECT_EQ(request.caption, "请选择相应的Excel文件");
    EXPECT_EQ(requests[0].filter, QString());
    EXPECT_EQ(requests[1].filter, QString());
    EXPECT_EQ(requests[2].filter, kAddressBookFilter);
    EXPECT_EQ(requests[3].filter, kAddressBookFilter) << "the filter stays for the next openings";
    EXPECT_TRUE(messages->shown.isEmpty());
}

TEST_F(ImportDialogTest, CloseEndsTheModalDialogAndThePathStaysForTheNextOpening) {
    bool closed = false;
    EXPECT_TRUE(whileOpen(Opener::Compose, [&](TForm9& d) {
        Edit1()->setText("/data/kept.xlsx");
        child<QPushButton>(d, "LbSpeedButton3")->click();
        closed = !d.isVisible();
    }));
    EXPECT_TRUE(closed);
    QString path;
    EXPECT_TRUE(whileOpen(Opener::Voice, [&](TForm9&) { path = Edit1()->text(); }));
    EXPECT_EQ(path, "/data/kept.xlsx");
    EXPECT_TRUE(messages->shown.isEmpty());
    EXPECT_TRUE(mob()->toPlainText().isEmpty());
}

} // namespace
} // namespace parlumo
