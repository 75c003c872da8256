#include "widgets/task_progress_dialog.h"

#include "core/account_state.h"
#include "core/settings.h"
#include "data/database.h"
#include "data/spreadsheet_reader.h"
#include "fax/fax_progress_dialog.h"
#include "service/soap_client.h"
#include "tests/support/faults.h"
#include "tests/support/login_fixture.h"
#include "tests/support/record_lists.h"
#include "text/gbk.h"
#include "voice/voice_progress_dialog.h"

#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace parlumo {
namespace {

constexpr const char* kVoicePage = "/voice_service/vlog.asp";
constexpr const char* kFaxPage = "/faxservice/faxlog.asp";

// Columns of the list: number, "通话时长", "消费", "状态", "时间".
constexpr int kNumber = 0;
constexpr int kStatus = 3;
constexpr int kTime = 4;

sim::ScriptedReply gbkBody(const char* utf8) {
    return test::body(toGbk(QString::fromUtf8(utf8)).toStdString());
}
sim::ScriptedReply delayed(std::chrono::milliseconds delay) {
    sim::ScriptedReply reply;
    reply.delay = delay;
    return reply;
}

// One of the two progress dialogs: where it polls and where it stores.
struct Kind {
    const char* name;
    const char* page;
    const char* table;
    const char* numberColumn;
};
const Kind kVoice{"TForm13", kVoicePage, "vlog", "vno"};
const Kind kFax{"TFAX_log", kFaxPage, "faxlog", "faxno"};

class TaskProgressTest : public test::ProgramWithSimulatorTest {
protected:
    void SetUp() override {
        services().account->change([](AccountFields& a) {
            a.uid = QStringLiteral(" demo ");
            a.pwd = QStringLiteral("demo2026 ");
        });
    }
    TaskProgressDialog& dialog(const Kind& kind) {
        if (kind.page == kFaxPage)
            return *screens().FAX_log;
        return *screens().Form13;
    }
    QString text(TaskProgressDialog& d, const char* name) { return child<QLineEdit>(d, name)->text(); }
    QStringList listed(TaskProgressDialog& d, int column) {
        return test::listedColumn(child<QTableView>(d, "DBGrid1"), column);
    }
    QTimer* timer(TaskProgressDialog& d) { return child<QTimer>(d, "Timer1"); }

    // Opens the dialog as its opener does (modal) and runs `inside` while it is shown; a dialog
    // still open afterwards is closed. Returns whether it was shown modally.
    bool whileOpen(TaskProgressDialog& d,
                   const QString& snum,
                   const QString& count,
                   const std::function<void()>& inside) {
        bool modal = false;
        QTimer::singleShot(0, &d, [&] {
            modal = d.isVisible() && d.isModal();
            inside();
            if (d.isVisible())
                child<QPushButton>(d, "btsch")->click();
        });
        d.openFor(snum, count);
        return modal;
    }
    // "刷新", then the wait, bounded, for the poll to end.
    void refresh(TaskProgressDialog& d) {
        QSignalSpy ended(&d, &TaskProgressDialog::pollEnded);
        child<QPushButton>(d, "addmob")->click();
        ASSERT_TRUE(ended.wait(20000));
        EXPECT_FALSE(d.polling());
    }

    void
    addStored(const Kind& kind, const QString& snum, const QString& number, const QString& tag = "已接听") {
        services().database->execute(
            SqlText(QStringLiteral("insert into %1(snum,%2,flong,tmoney,tag) values(")
                        .arg(QString::fromLatin1(kind.table), QString::fromLatin1(kind.numberColumn)))
                .value(snum)
                .add(QStringLiteral(","))
                .value(number)
                .add(QStringLiteral(",'30','0.2',"))
                .value(tag)
                .add(QStringLiteral(")")));
    }
    // Every stored row of the table as "snum|number|flong|tmoney|tag", oldest first.
    QStringList stored(const Kind& kind) {
        return test::rowLines(services().database->execute(
            SqlText(QStringLiteral("select snum,%1,flong,tmoney,tag from %2 order by id")
                        .arg(QString::fromLatin1(kind.numberColumn), QString::fromLatin1(kind.table)))));
    }
};

TEST_F(TaskProgressTest, OpeningListsTheTasksRowsNewestFirstAndPollsUntilClosed) {
    for (const Kind& kind : {kVoice, kFax}) {
        TaskProgressDialog& d = dialog(kind);
        addStored(kind, "T1", "13800000001");
        addStored(kind, "T2", "13800000009");
        addStored(kind, "T1", "13800000002");
        EXPECT_EQ(d.objectName(), QString::fromLatin1(kind.name));
        EXPECT_EQ(QString::fromLatin1(d.metaObject()->className()), QStringLiteral("parlumo::") + kind.name);
        EXPECT_FALSE(timer(d)->isActive());
        EXPECT_TRUE(whileOpen(d, " T1 ", "25", [&] {
            EXPECT_EQ(text(d, "snum_s"), QStringLiteral(" T1 "));
            EXPECT_EQ(text(d, "allhm"), QStringLiteral("25"));
            EXPECT_EQ(text(d, "hm"), QStringLiteral("2"));
            EXPECT_EQ(listed(d, kNumber), (QStringList{"13800000002", "13800000001"}));
            EXPECT_TRUE(timer(d)->isActive());
            EXPECT_EQ(timer(d)->interval(), 8000);
        })) << kind.name;
        EXPECT_FALSE(timer(d)->isActive()) << kind.name;
        EXPECT_TRUE(requestsTo(kind.page).empty()) << kind.name;
    }
    // The same captions; the number and status columns are sized for each kind of task.
    QTableView* voiceGrid = child<QTableView>(*screens().Form13, "DBGrid1");
    QTableView* faxGrid = child<QTableView>(*screens().FAX_log, "DBGrid1");
    for (QTableView* grid : {voiceGrid, faxGrid}) {
        QStringList captions;
        for (int column = 0; column < grid->model()->columnCount(); ++column)
            captions << grid->model()->headerData(column, Qt::Horizontal).toString();
        EXPECT_EQ(captions, (QStringList{"号码", "通话时长", "消费", "状态", "时间"}));
    }
    EXPECT_GT(voiceGrid->columnWidth(kNumber), faxGrid->columnWidth(kNumber));
    EXPECT_LT(voiceGrid->columnWidth(kStatus), faxGrid->columnWidth(kStatus));
    EXPECT_EQ(voiceGrid->columnWidth(1), faxGrid->columnWidth(1));
    EXPECT_EQ(screens().Form13->windowTitle(), QStringLiteral("任务呼出进度"));
    EXPECT_EQ(screens().FAX_log->windowTitle(), QStringLiteral("发送进度/状态"));
    TaskProgressDialog& d = *screens().Form13;
    EXPECT_EQ(child<QPushButton>(d, "addmob")->text(), QStringLiteral("刷新"));
    EXPECT_EQ(child<QPushButton>(d, "LbSpeedButton2")->text(), QStringLiteral("导出记录.xls"));
    EXPECT_EQ(child<QPushButton>(d, "btsch")->text(), QStringLiteral("关 闭 窗 口"));
    EXPECT_TRUE(child<QLineEdit>(d, "snum_s")->isReadOnly());
    QStringList labels;
    for (const QLabel* label : d.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains(QStringLiteral("共提交                       已完成 ")));
    EXPECT_TRUE(messages->shown.isEmpty());
}

TEST_F(TaskProgressTest, APollStoresTheRecordsAndListsTheTaskNewestFirst) {
    for (const Kind& kind : {kVoice, kFax}) {
        TaskProgressDialog& d = dialog(kind);
        addStored(kind, "T1", "13800000001");
        sim.script(kind.page, gbkBody("T1|1|13800000002|35|0.2|已接听\\T1|2|13800000003|0|0|淺 東 it's\\"));
        whileOpen(d, "T1", "3", [&] {
            refresh(d);
            EXPECT_EQ(listed(d, kNumber), (QStringList{"13800000003", "13800000002", "13800000001"}));
            EXPECT_EQ(listed(d, kStatus)[0], QStringLiteral("淺 東 it's"));
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"))
                            .match(listed(d, kTime)[0])
                            .hasMatch())
                << listed(d, kTime)[0].toStdString();
            EXPECT_EQ(text(d, "hm"), QStringLiteral("3"));
        });
        EXPECT_EQ(stored(kind),
                  (QStringList{"T1|13800000001|30|0.2|已接听",
                               "T1|13800000002|35|0.2|已接听",
                               "T1|13800000003|0|0|淺 東 it's"}))
            << kind.name;
    }
    EXPECT_TRUE(messages->shown.isEmpty());
}

TEST_F(TaskProgressTest, TheRequestCarriesTheAccountTheTaskAndTheMomentEncoded) {
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    whileOpen(dialog(kVoice), " T 1&2 ", "1", [&] { refresh(dialog(kVoice)); });
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    const auto requests = requestsTo(kVoicePage);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "GET");
    const QString query = QString::fromStdString(requests[0].query);
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^uid=demo&pwd=demo2026&snum=T%201%262&o=(\\d{4}-\\d\\d-\\d\\d)%20"
                                          "(\\d{1,2}:\\d\\d:\\d\\d)$"))
            .match(query);
    ASSERT_TRUE(match.hasMatch()) << query.toStdString();
    const QDateTime sent = QDateTime::fromString(match.captured(1) + QLatin1Char(' ') + match.captured(2),
                                                 QStringLiteral("yyyy-MM-dd H:mm:ss"));
    EXPECT_TRUE(sent >= before && sent <= after) << query.toStdString();
    EXPECT_FALSE(match.captured(2).startsWith(QLatin1Char('0')));
}

// A short answer, a refused exchange or one without an answer stores nothing and leaves the
// list as it was; an answer of one element without its end stores nothing and lists again.
TEST_F(TaskProgressTest, WhatStoresNothingAndWhetherTheListIsReadAgain) {
    sim::ScriptedReply serverError;
    serverError.status = 500;
    serverError.body = "T1|1|13800000002|35|0.2|a\\T1|2|13800000003|35|0.2|b\\";
    const struct {
        const char* name;
        sim::ScriptedReply reply;
        bool listedAgain;
    } cases[] = {
        {"empty", test::body(""), false},
        {"a code", test::body("-04"), false},
        {"five characters", test::body(" 12345 \r\n"), false},
        {"status 500", serverError, false},
        {"dropped", test::dropped(), false},
        {"six characters", test::body("123456"), true},
        {"one record without its end", test::body("T1|1|13800000002|35|0.2|a"), true},
    };
    TaskProgressDialog& d = dialog(kVoice);
    whileOpen(d, "T1", "1", [&] {
        for (const auto& c : cases) {
            addStored(kVoice, "T1", "13800000001");
            const QString before = text(d, "hm");
            sim.script(kVoicePage, c.reply);
            refresh(d);
            EXPECT_EQ(text(d, "hm"), c.listedAgain ? QString::number(stored(kVoice).size()) : before)
                << c.name;
            EXPECT_EQ(listed(d, kNumber).size(), text(d, "hm").toInt()) << c.name;
            EXPECT_TRUE(timer(d)->isActive()) << c.name;
        }
    });
    EXPECT_EQ(stored(kVoice).size(), static_cast<qsizetype>(std::size(cases)));
    EXPECT_TRUE(messages->shown.isEmpty());
}

class TaskProgressFaultTest : public TaskProgressTest,
                              public ::testing::WithParamInterface<std::tuple<Kind, test::Fault>> {};

// A failed poll stores nothing and shows nothing; the timer goes on polling.
TEST_P(TaskProgressFaultTest, PollStoresNothingAndThePollGoesOn) {
    const auto& [kind, fault] = GetParam();
    TaskProgressDialog& d = dialog(kind);
    whileOpen(d, "T1", "1", [&] {
        addStored(kind, "T1", "13800000001");
        const test::InjectedFault injected(sim, fault, kind.page);
        refresh(d);
        EXPECT_TRUE(timer(d)->isActive());
        EXPECT_TRUE(child<QPushButton>(d, "addmob")->isEnabled());
    });
    EXPECT_EQ(stored(kind), QStringList{"T1|13800000001|30|0.2|已接听"});
    EXPECT_TRUE(messages->shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Faults,
                         TaskProgressFaultTest,
                         ::testing::Combine(::testing::Values(kVoice, kFax), ::testing::ValuesIn(test::kEveryFault)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    test::faultName(std::get<1>(info.param));
                         });

TEST_F(TaskProgressTest, ARecordWithTooFewFieldsStopsThePollKeepingTheRecordsBeforeIt) {
    TaskProgressDialog& d = dialog(kFax);
    sim.script(kFaxPage,
               test::body("T1|1|13800000002|35|0.2|a\\T1|2|13800000003|0|0\\T1|3|13800000004|9|0.2|c\\"));
    whileOpen(d, "T1", "3", [&] {
        refresh(d);
        // Not listed again.
        EXPECT_EQ(text(d, "hm"), QStringLiteral("0"));
        EXPECT_TRUE(listed(d, kNumber).isEmpty());

        sim.script(kFaxPage, test::body("T1|4|13800000005|9|0.2|d\\"));
        refresh(d);
        EXPECT_EQ(listed(d, kNumber), (QStringList{"13800000005", "13800000002"}));
    });
    EXPECT_EQ(stored(kFax), (QStringList{"T1|13800000002|35|0.2|a", "T1|13800000005|9|0.2|d"}));
    EXPECT_TRUE(messages->shown.isEmpty());
}

TEST_F(TaskProgressTest, TheTimerPollsLikeTheButtonOneExchangeAtATime) {
    TaskProgressDialog& d = dialog(kVoice);
    sim.script(kVoicePage, test::body("T1|1|13800000001|35|0.2|a\\"));
    sim.script(kVoicePage, delayed(std::chrono::milliseconds(1500)));
    whileOpen(d, "T1", "2", [&] {
        QSignalSpy ended(&d, &TaskProgressDialog::pollEnded);
        ASSERT_TRUE(QMetaObject::invokeMethod(timer(d), "timeout"));
        ASSERT_TRUE(ended.wait(20000));
        EXPECT_EQ(listed(d, kNumber), QStringList{"13800000001"});

        child<QPushButton>(d, "addmob")->click();
        EXPECT_TRUE(d.polling());
        child<QPushButton>(d, "addmob")->click();
        d.Timer1Timer();
        ASSERT_TRUE(ended.wait(20000));
        EXPECT_EQ(requestsTo(kVoicePage).size(), 2u);
        EXPECT_EQ(ended.size(), 2);
    });
}

TEST_F(TaskProgressTest, ClosingAbandonsARunningPoll) {
    TaskProgressDialog& d = dialog(kVoice);
    sim::ScriptedReply late = delayed(std::chrono::seconds(10));
    late.body = "T1|1|13800000001|35|0.2|late\\";
    sim.script(kVoicePage, late);
    whileOpen(d, "T1", "1", [&] {
        child<QPushButton>(d, "addmob")->click();
        ASSERT_TRUE(d.polling());
    });
    // The close did not wait for the service, which answers after 10 seconds, within the
    // exchange's time-out.
    EXPECT_TRUE(requestsTo(kVoicePage).empty());
    EXPECT_FALSE(d.polling());
    EXPECT_FALSE(timer(d)->isActive());
    QTest::qWait(50);
    EXPECT_TRUE(stored(kVoice).isEmpty());
}

TEST_F(TaskProgressTest, ClosingTheProgramJoinsARunningPoll) {
    QTemporaryDir otherFolder;
    const Settings settings(QDir(otherFolder.path()).filePath(QStringLiteral("ovarn.ini")));
    settings.WriteSetting(QStringLiteral("service"), QStringLiteral("host"), base());
    sim.script(kFaxPage, delayed(std::chrono::seconds(10)));
    auto other = std::make_unique<Program>(otherFolder.path(),
                                           Seams{std::make_unique<test::RecordingMessageBoxes>(),
                                                 std::make_unique<test::RecordingFileDialogs>(),
                                                 std::make_unique<test::RecordingShell>()});
    TFAX_log& fax = *other->screens().FAX_log;
    fax.addmobClick();
    ASSERT_TRUE(fax.polling());
    other.reset();
    EXPECT_TRUE(requestsTo(kFaxPage).empty());
}

TEST_F(TaskProgressTest, ReopeningTheTaskListsTheSameRowsAndPollsAgain) {
    TaskProgressDialog& d = dialog(kVoice);
    sim.script(kVoicePage, test::body("T1|1|13800000001|35|0.2|a\\T1|2|13800000002|35|0.2|b\\"));
    QStringList first;
    whileOpen(d, "T1", "2", [&] {
        refresh(d);
        first = listed(d, kNumber);
    });
    ASSERT_EQ(first.size(), 2);
    whileOpen(d, "T1", "2", [&] {
        EXPECT_EQ(listed(d, kNumber), first);
        EXPECT_EQ(text(d, "hm"), QStringLiteral("2"));
        EXPECT_TRUE(timer(d)->isActive());
    });
    whileOpen(d, "T2", "7", [&] {
        EXPECT_TRUE(listed(d, kNumber).isEmpty());
        EXPECT_EQ(text(d, "hm"), QStringLiteral("0"));
        EXPECT_EQ(text(d, "allhm"), QStringLiteral("7"));
    });
}

// A voice task sent to the simulator hands out its results two a poll; the fax page knows no
// such task, and the fax dialog never lists the voice rows of the same task number.
TEST_F(TaskProgressTest, VoiceAndFaxKeepTheirOwnRowsForEqualTaskNumbers) {
    Service1Soap client;
    const QString snum = PrepareSoapClient(client, QString::fromStdString(sim.soapUrl()))
                             .SendVoice(QStringLiteral("demo"),
                                        QStringLiteral("demo2026"),
                                        QStringLiteral("13800000001,13800000002,13800000003"),
                                        QStringLiteral("您好"),
                                        QStringLiteral("1"),
                                        {},
                                        {},
                                        {},
                                        {});
    ASSERT_GT(snum.size(), 3) << snum.toStdString();
    TaskProgressDialog& voice = dialog(kVoice);
    TaskProgressDialog& fax = dialog(kFax);
    whileOpen(voice, snum, "3", [&] {
        refresh(voice);
        EXPECT_EQ(text(voice, "hm"), QStringLiteral("2"));
        refresh(voice);
        EXPECT_EQ(listed(voice, kNumber), (QStringList{"13800000003", "13800000002", "13800000001"}));
    });
    addStored(kFax, snum, "010-12345678", "发送成功");
    whileOpen(fax, snum, "1", [&] {
        EXPECT_EQ(listed(fax, kNumber), QStringList{"010-12345678"});
        refresh(fax);
        EXPECT_EQ(listed(fax, kNumber), QStringList{"010-12345678"});
    });
    EXPECT_EQ(stored(kVoice).size(), 3);
    EXPECT_EQ(stored(kFax).size(), 1);
    EXPECT_EQ(requestsTo(kFaxPage).size(), 1u);
}

TEST_F(TaskProgressTest, TheExportWritesTheTasksStoredRows) {
    for (const Kind& kind : {kVoice, kFax}) {
        TaskProgressDialog& d = dialog(kind);
        addStored(kind, "T1", "13800000001", "无人 接听");
        addStored(kind, "T9", "13800000009");
        addStored(kind, "T1", "13800000002");
        const QString path = file(QStringLiteral("%1.xlsx").arg(kind.table));
        fileDialogs->answers = {path};
        whileOpen(d, "T1", "2", [&] { child<QPushButton>(d, "LbSpeedButton2")->click(); });
        const SpreadsheetReader sheet = SpreadsheetReader::open(path);
        ASSERT_EQ(sheet.usedRows(), 3) << kind.name;
        QList<QStringList> rows;
        for (int row = 1; row <= 3; ++row) {
            QStringList cells;
            for (int column = 1; column <= 5; ++column)
                cells << sheet.cell(row, column);
            rows << cells;
        }
        EXPECT_EQ(rows,
                  (QList<QStringList>{{"号码", "通话时长", "消费", "状态", ""},
                                      {"13800000002", "30", "0.2", "已接听", ""},
                                      {"13800000001", "30", "0.2", "无人 接听", ""}}))
            << kind.name;
    }
    ASSERT_EQ(messages->shown.size(), 2);
    EXPECT_EQ(test::describe(messages->shown[1]),
              test::describe(MessageRequest{"导出", "数据导出成功!", MessageIcon::Warning}));
}

} // namespace
} // namespace parlumo
