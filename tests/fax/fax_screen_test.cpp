#include "fax/fax_screen.h"

#include "core/account_state.h"
#include "data/database.h"
#include "data/spreadsheet_reader.h"
#include "fax/fax_progress_dialog.h"
#include "tests/fax/fax_screen_fixture.h"
#include "tests/support/modal.h"
#include "tests/support/record_lists.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>

namespace parlumo {
namespace {

using test::FaxScreenTest;

TEST_F(FaxScreenTest, TheTreeSwitchesPagesAndShowsTheCoverFieldsOnlyForANewTask) {
    logIn();
    showScreen();
    EXPECT_EQ(currentPage(), QStringLiteral("tt1"));
    EXPECT_TRUE(control<QWidget>("Panel6")->isVisible());

    const struct {
        const char* node;
        const char* page;
        bool coverShown;
    } steps[] = {{"传真记录", "tt2", false},
                 {"传真群发", "tt2", false},
                 {"新建任务", "tt1", true},
                 {"传真群发", "tt1", true},
                 {"接收传真", "tt3", false}};
    for (const auto& s : steps) {
        selectNode(QString::fromUtf8(s.node));
        EXPECT_EQ(currentPage(), QString::fromLatin1(s.page)) << s.node;
        EXPECT_EQ(control<QWidget>("Panel6")->isVisible(), s.coverShown) << s.node;
    }
    EXPECT_EQ(control<QWidget>("tt3")->findChild<QLabel*>()->text(),
              QStringLiteral("您尚未开通传真接收功能..需要开通接电功能请与商务人员联系"));
    EXPECT_FALSE(control<QPlainTextEdit>("Memo2")->toPlainText().isEmpty());
    EXPECT_TRUE(control<QPlainTextEdit>("Memo2")->isReadOnly());

    // The main window's fax button opens the new task again.
    fax().showFirstPage();
    EXPECT_EQ(currentPage(), QStringLiteral("tt1"));
    EXPECT_TRUE(control<QWidget>("Panel6")->isVisible());
    EXPECT_EQ(control<QTreeWidget>("tv1")->currentItem()->text(0), QStringLiteral("新建任务"));
}

TEST_F(FaxScreenTest, TheCoverFieldsTakeTenCharacters) {
    logIn();
    showScreen();
    for (const char* name : {"men", "subjects"}) {
        type(name, QStringLiteral("Li Zhang's"));
        EXPECT_EQ(control<QLineEdit>(name)->text(), QStringLiteral("Li Zhang's")) << name;
        type(name, QStringLiteral("X"));
        EXPECT_EQ(control<QLineEdit>(name)->text(), QStringLiteral("Li Zhang's")) << name;
    }
}

TEST_F(FaxScreenTest, TheNumberMemoTakesDigitsCommasAndLineBreaksOnly) {
    logIn();
    showScreen();
    type("faxno", QStringLiteral("010a1234-567,8 9"));
    QTest::keyClick(control<QWidget>("faxno"), Qt::Key_Return);
    QTest::keyClicks(control<QWidget>("faxno"), QStringLiteral("02x0"));
    EXPECT_EQ(numbers(), QStringLiteral("0101234567,89\n020"));
    EXPECT_EQ(control<QLineEdit>("hm")->text(), QStringLiteral("2"));
}

TEST_F(FaxScreenTest, TheCountAndTheHiddenCostFollowEveryChangeOfTheList) {
    logIn(QStringLiteral("0.3"));
    showScreen();
    auto* memo = control<QPlainTextEdit>("faxno");
    EXPECT_FALSE(control<QLineEdit>("Edit4")->isVisible());

    memo->setPlainText(QStringLiteral("0101234567\n0101234567,123\n0209876543"));
    EXPECT_EQ(control<QLineEdit>("hm")->text(), QStringLiteral("3"));
    EXPECT_EQ(control<QLineEdit>("Edit4")->text(), QStringLiteral("0.9"));

    memo->setPlainText(QStringLiteral("0209876543\n0101234567\n0209876543\n0209876543"));
    EXPECT_EQ(control<QLineEdit>("Edit4")->text(), QStringLiteral("1.2"));
    control<QPushButton>("LbSpeedButton11")->click();
    EXPECT_EQ(numbers(), QStringLiteral("0101234567\n0209876543"));
    EXPECT_EQ(control<QLineEdit>("hm")->text(), QStringLiteral("2"));
    EXPECT_EQ(control<QLineEdit>("Edit4")->text(), QStringLiteral("0.6"));

    QTextCursor caret = memo->textCursor();
    caret.setPosition(memo->document()->findBlockByNumber(1).position() + 2);
    memo->setTextCursor(caret);
    control<QPushButton>("LbSpeedButton600")->click();
    EXPECT_EQ(numbers(), QStringLiteral("0101234567"));
    EXPECT_EQ(control<QLineEdit>("Edit4")->text(), QStringLiteral("0.3"));

    control<QPushButton>("LbSpeedButton12")->click();
    EXPECT_EQ(numbers(), QString());
    EXPECT_EQ(control<QLineEdit>("hm")->text(), QStringLiteral("0"));
    EXPECT_EQ(control<QLineEdit>("Edit4")->text(), QStringLiteral("0"));
}

TEST_F(FaxScreenTest, EnterInTheEntryOrTheFileBoxAddsAnAreaCodeNumber) {
    logIn();
    showScreen();
    const QString wrong = test::plain(QStringLiteral("号码格式有误！"));
    const struct {
        const char* box; // where Enter is pressed
        const char* typed;
        const char* added; // null: refused, the entry stays
    } cases[] = {{"inmob", "0101234567", "0101234567"},
                 {"inmob", "010123456", nullptr},
                 {"inmob", "1381234567", nullptr},
                 {"inmob", "0101234567,12", "0101234567,12"},
                 {"inmob", "01012345678901234", "01012345678901234"},
                 {"inmob", "0a1b0c1d2e3f4g5h6i7", "0101234567"},
                 {"select_faxfile", "02087654321", "02087654321"},
                 {"select_faxfile", "8765", nullptr}};
    for (const auto& c : cases) {
        control<QPlainTextEdit>("faxno")->clear();
        control<QLineEdit>("inmob")->clear();
        messages->shown.clear();
        type("inmob", QString::fromLatin1(c.typed));
        QTest::keyClick(control<QWidget>(c.box), Qt::Key_Return);
        if (c.added) {
            EXPECT_EQ(numbers(), QString::fromLatin1(c.added)) << c.typed;
            EXPECT_TRUE(control<QLineEdit>("inmob")->text().isEmpty()) << c.typed;
            EXPECT_TRUE(messages->shown.isEmpty()) << c.typed;
        } else {
            EXPECT_EQ(numbers(), QString()) << c.typed;
            EXPECT_EQ(shown(), QStringList{wrong}) << c.typed;
            EXPECT_FALSE(control<QLineEdit>("inmob")->text().isEmpty()) << c.typed;
        }
        EXPECT_TRUE(control<QLineEdit>("inmob")->hasFocus()) << c.typed;
    }
    // Seventeen characters fit the entry box; the eighteenth is not taken.
    control<QLineEdit>("inmob")->clear();
    type("inmob", QStringLiteral("010123456789012345"));
    EXPECT_EQ(control<QLineEdit>("inmob")->text(), QStringLiteral("01012345678901234"));
}

TEST_F(FaxScreenTest, TheFileBoxTakesSeventeenTypedDigitsAndTheDialogsFullPath) {
    logIn();
    showScreen();
    auto* box = control<QLineEdit>("select_faxfile");
    type("select_faxfile", QStringLiteral("c:\\a1,2"));
    EXPECT_EQ(box->text(), QStringLiteral("1,2"));
    box->clear();
    type("select_faxfile", QStringLiteral("0123456789012345"));
    EXPECT_EQ(box->text().size(), 16);
    type("select_faxfile", QStringLiteral("67"));
    EXPECT_EQ(box->text(), QStringLiteral("01234567890123456"));

    const QString path = file(QStringLiteral("季度报价 2026/offer.final.pdf"));
    fileDialogs->answers << path;
    control<QPushButton>("LbSpeedButton1")->click();
    ASSERT_EQ(fileDialogs->requests.size(), 1);
    EXPECT_EQ(fileDialogs->requests[0].filter,
              QStringLiteral("Word文档|*.doc|Excel表格|*.xls|PowerPoint演示稿|*.ppt|PDF文档|*.pdf|TIFF|*.tif|"
                             "所有文件|*.*"));
    EXPECT_EQ(box->text(), path);
    EXPECT_EQ(control<QLineEdit>("filename")->text(), QStringLiteral("offer.final.pdf"));
    EXPECT_FALSE(control<QLineEdit>("filename")->isVisible());
    // A longer path stays whole; typing does not lengthen it, Backspace shortens it.
    box->setFocus();
    box->end(false);
    QTest::keyClicks(box, QStringLiteral("9"));
    EXPECT_EQ(box->text(), path);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), path.chopped(1));

    // A cancelled dialog changes nothing.
    control<QPushButton>("LbSpeedButton1")->click();
    EXPECT_EQ(control<QLineEdit>("filename")->text(), QStringLiteral("offer.final.pdf"));
}

TEST_F(FaxScreenTest, NumbersComeFromATextFileAndGoToOneAsCrLfLines) {
    logIn();
    showScreen();
    writeBytes(QStringLiteral("in.txt"), "0101234567\r\n0209876543,12\r\n");
    fileDialogs->answers << file(QStringLiteral("in.txt"));
    control<QPushButton>("LbSpeedButton59")->click();
    EXPECT_EQ(numbers(), QStringLiteral("0101234567\n0209876543,12"));
    EXPECT_EQ(control<QLineEdit>("Edit4")->text(), QStringLiteral("0.6"));
    EXPECT_EQ(fileDialogs->requests.last().filter,
              QStringLiteral("文本文件.txt|*.txt|文本文件.text|*.text|所有文件.*|*.*"));

    control<QPlainTextEdit>("faxno")->appendPlainText(QStringLiteral("0755123456"));
    const QString saved = file(QStringLiteral("out.TXT"));
    fileDialogs->answers << saved;
    control<QPushButton>("LbSpeedButton9")->click();
    const FileDialogRequest& save = fileDialogs->requests.last();
    EXPECT_EQ(save.filter, QStringLiteral("文本文件.txt|*.txt|文本文件.text|*.text|所有文件.*|*.*"));
    EXPECT_TRUE(save.defaultName.startsWith(QStringLiteral("待发传真号码")))
        << save.defaultName.toStdString();
    EXPECT_TRUE(save.defaultName.endsWith(QStringLiteral(".TXT")));
    EXPECT_FALSE(save.defaultName.contains(QLatin1Char(':')));
    EXPECT_EQ(readBytes(QStringLiteral("out.TXT")),
              QByteArray("0101234567\r\n0209876543,12\r\n0755123456\r\n"));
    EXPECT_EQ(shown(), QStringList{test::plain(QStringLiteral("已成功保存至：") + saved)});

    // Cancelling writes nothing and says nothing; a folder that does not exist gives its reason.
    messages->shown.clear();
    control<QPushButton>("LbSpeedButton9")->click();
    EXPECT_TRUE(messages->shown.isEmpty());
    fileDialogs->answers << file(QStringLiteral("missing/out.TXT"));
    control<QPushButton>("LbSpeedButton9")->click();
    ASSERT_EQ(messages->shown.size(), 1);
    EXPECT_FALSE(messages->shown[0].text.startsWith(QStringLiteral("已成功保存至：")));
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("missing/out.TXT"))));
}

class FaxRecordsTest : public FaxScreenTest {
protected:
    void addRecord(const QString& uid, const QString& snum, const QString& count, const QString& intime) {
        QSqlQuery insert(services().database->connection());
        insert.prepare(QStringLiteral("insert into Faxlist(uid,snum,fcount,faxno,linkman,subject,faxfile,tag,"
                                      "intime) values(?,?,?,'0101234567','Li','报价','a.pdf','成功',?)"));
        insert.addBindValue(uid);
        insert.addBindValue(snum);
        insert.addBindValue(count);
        insert.addBindValue(intime);
        ASSERT_TRUE(insert.exec());
    }
    static QString daysAgo(int days) {
        return QDateTime::currentDateTime().addDays(-days).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    QTableView* grid() { return control<QTableView>("DBGrid1"); }
};

TEST_F(FaxRecordsTest, ThePageListsTheAccountsFaxesOfThePickedDaysNewestFirst) {
    logIn();
    addRecord(QStringLiteral("demo"), QStringLiteral("F1"), QStringLiteral("2"), daysAgo(2));
    addRecord(QStringLiteral("other"), QStringLiteral("F2"), QStringLiteral("1"), daysAgo(1));
    addRecord(QStringLiteral("demo"), QStringLiteral("F3"), QStringLiteral("5"), daysAgo(1));
    addRecord(QStringLiteral("demo"), QStringLiteral("F4"), QStringLiteral("1"), daysAgo(30));
    showScreen();
    selectNode(QStringLiteral("传真记录"));
    EXPECT_EQ(test::listedColumn(grid(), 0), (QStringList{"F3", "F1"}));
    QStringList captions;
    for (int c = 0; c < grid()->model()->columnCount(); ++c)
        captions << grid()->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(captions, (QStringList{"编号", "数量", "接收传真号", "收件人", "文档名", "传真文档", "时间"}));
    EXPECT_EQ(grid()->toolTip(), QStringLiteral("点击查看详细清单"));

    // Showing the page again queries the days as picked; showing the screen resets them.
    const QDate monthAgo = QDate::currentDate().addDays(-31);
    control<QDateEdit>("sdate")->setDate(monthAgo);
    selectNode(QStringLiteral("新建任务"));
    selectNode(QStringLiteral("传真记录"));
    EXPECT_EQ(control<QDateEdit>("sdate")->date(), monthAgo);
    EXPECT_EQ(test::listedColumn(grid(), 0), (QStringList{"F4", "F3", "F1"}));

    fax().hide();
    showScreen();
    EXPECT_EQ(control<QDateEdit>("sdate")->date(), QDate::currentDate().addDays(-7));
    EXPECT_EQ(control<QDateEdit>("edate")->date(), QDate::currentDate());
    control<QPushButton>("LbSpeedButton5")->click();
    EXPECT_EQ(test::listedColumn(grid(), 0), (QStringList{"F3", "F1"}));
}

TEST_F(FaxRecordsTest, AClickOnAListedFaxOpensItsProgressAndAClickInAnEmptyListDoesNot) {
    logIn();
    showScreen();
    QSignalSpy progress(&fax(), &Tf_fax::progressRequested);
    selectNode(QStringLiteral("传真记录"));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(progress.isEmpty());

    addRecord(QStringLiteral("demo"), QStringLiteral("F1"), QStringLiteral("2"), daysAgo(2));
    addRecord(QStringLiteral("demo"), QStringLiteral("F3"), QStringLiteral("5"), daysAgo(1));
    control<QPushButton>("LbSpeedButton5")->click();
    QDialog* dialog = screens().FAX_log;
    QStringList shown;
    EXPECT_TRUE(test::whileModalShows(
        dialog,
        [&] {
            QTest::mouseClick(grid()->viewport(),
                              Qt::LeftButton,
                              {},
                              grid()->visualRect(grid()->model()->index(1, 2)).center());
        },
        [&] { shown << child<QLineEdit>(dialog, "snum_s")->text() << child<QLineEdit>(dialog, "allhm")->text(); }));
    ASSERT_EQ(progress.size(), 1);
    EXPECT_EQ(progress[0], (QList<QVariant>{QStringLiteral("F1"), QStringLiteral("2")}));
    EXPECT_EQ(shown, (QStringList{"F1", "2"}));
}

TEST_F(FaxRecordsTest, TheExportWritesTheListedFaxesUnderTheirCaptions) {
    logIn();
    addRecord(QStringLiteral("demo"), QStringLiteral("F1"), QStringLiteral("2"), daysAgo(1));
    showScreen();
    selectNode(QStringLiteral("传真记录"));
    fileDialogs->answers << file(QStringLiteral("faxes.xlsx"));
    control<QPushButton>("LbSpeedButton6")->click();

    const SpreadsheetReader sheet = SpreadsheetReader::open(file(QStringLiteral("faxes.xlsx")));
    EXPECT_EQ(sheet.usedRows(), 2);
    QStringList header;
    QStringList first;
    for (int c = 1; c <= 7; ++c) {
        header << sheet.cell(1, c);
        first << sheet.cell(2, c);
    }
    EXPECT_EQ(header, (QStringList{"编号", "数量", "接收号码", "收件人", "文档名称", "传真文件", "时间"}));
    EXPECT_EQ(first.mid(0, 6), (QStringList{"F1", "2", "0101234567", "Li", "报价", "a.pdf"}));
    EXPECT_TRUE(first[6].startsWith(QDate::currentDate().addDays(-1).toString(Qt::ISODate)));
    ASSERT_FALSE(messages->shown.isEmpty());
    EXPECT_EQ(messages->shown.last().text, QStringLiteral("数据导出成功!"));
}

} // namespace
} // namespace parlumo
