// parlumo-send run as a real process against the in-process simulator.
#include "core/settings.h"
#include "data/database.h"
#include "tests/support/login_fixture.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace parlumo {
namespace {

constexpr const char* kGatewayPath = "/sys_port/gateway/index.asp";

struct CommandResult {
    int exit = -1;
    QString out;
    QString err;
};

struct SendRow {
    int num;
    QString tag;
    QString msg;
};

class SendCommandTest : public test::SimulatorTest {
protected:
    SendCommandTest() {
        setting("service", "host", base());
        setting("login", "uid", "demo");
        setting("login", "pwd", "demo2026");
    }

    QString file(const QString& name) const { return home.filePath(name); }
    void setting(const QString& section, const QString& key, const QString& value) const {
        Settings(file("ovarn.ini")).WriteSetting(section, key, value);
    }
    QString write(const QString& name, const QByteArray& bytes) const {
        QFile f(file(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    // `count` valid mobile numbers, one a line.
    QString numbersFile(int count) const {
        QByteArray bytes;
        for (int i = 0; i < count; ++i)
            bytes += QStringLiteral("138%1\n").arg(i, 8, 10, QLatin1Char('0')).toLatin1();
        return write("numbers.txt", bytes);
    }

    // Runs parlumo-send on this program folder with the arguments after "--home DIR".
    CommandResult send(const QStringList& arguments, const QByteArray& standardInput = {}) const {
        QProcess process;
        process.start(PARLUMO_SEND_EXECUTABLE, QStringList{"--home", home.path()} + arguments);
        EXPECT_TRUE(process.waitForStarted(10000));
        process.write(standardInput);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(120000));
        return CommandResult{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                             QString::fromUtf8(process.readAllStandardOutput()),
                             QString::fromUtf8(process.readAllStandardError())};
    }

    QList<SendRow> rows() const {
        if (!QFile::exists(file("db.db")))
            return {};
        Database db(file("db.db"));
        QSqlQuery q = db.execute(SqlText("select num, tag, msg from send order by sid"));
        QList<SendRow> result;
        while (q.next())
            result.append(SendRow{q.value(0).toInt(), q.value(1).toString(), q.value(2).toString()});
        return result;
    }

    // The values of one field of every gateway post, in order.
    std::vector<std::string> posted(const std::string& field) const {
        std::vector<std::string> values;
        for (const sim::RecordedRequest& r : requestsTo(kGatewayPath))
            for (const sim::NamedValue& p : r.params)
                if (p.name == field)
                    values.push_back(p.value);
        return values;
    }

    QTemporaryDir home;
};

TEST_F(SendCommandTest, SendsTwelveThousandAndOneNumbersInThreeLoggedBatches) {
    const CommandResult run = send({"--to", numbersFile(12001), "--text", "会议改到明天上午九点"});

    EXPECT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              QString::fromUtf8("正在始初化..\n"
                                "正在发送...请勿退出软件...\n"
                                "  由于本次任务号码较多，请耐心等侯。请勿中途退出。\n"
                                "第[ 1 ]次..[ 5000 ]条。提交成功!\n"
                                "第[ 2 ]次..[ 5000 ]条。提交成功!\n"
                                "第[ 3 ]次..[ 2001 ]条。提交成功!\n"
                                "成功发送 [12001] 条  消费 [960.08] 元。\n"
                                "任务完成。\n"));
    const std::vector<std::string> batches = posted("to");
    ASSERT_EQ(batches.size(), 3u);
    EXPECT_EQ(batches[2].substr(0, 12), "13800010000,");
    EXPECT_EQ(posted("content"), std::vector<std::string>(3, "会议改到明天上午九点"));
    EXPECT_EQ(posted("time"), std::vector<std::string>(3, ""));
    const QList<SendRow> logged = rows();
    ASSERT_EQ(logged.size(), 3);
    const int sizes[] = {5000, 5000, 2001};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(logged[i].num, sizes[i]);
        EXPECT_EQ(logged[i].tag, QString::fromUtf8("成功"));
    }
    EXPECT_EQ(sim.account("demo")->balance, *sim::Money::parse("39.92"));
}

// Numbers from standard input, the text from a file that is cleaned as the compose screen cleans
// it, a scheduled time as the gateway's time field.
TEST_F(SendCommandTest, ReadsStandardInputATextFileAndASchedule) {
    const QString text = write("text.txt", QString::fromUtf8("  第一行\n第二行 'ok'\n").toUtf8());
    const CommandResult run = send({"--to", "-", "--text-file", text, "--at", "2026-12-24 09:05"},
                                   "13800000001\r\n13800000002\r\n");

    EXPECT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(posted("to"), std::vector<std::string>{"13800000001,13800000002"});
    EXPECT_EQ(posted("content"), std::vector<std::string>{"第一行第二行 \"ok\""});
    EXPECT_EQ(posted("time"), std::vector<std::string>{"2026-12-24 09:05:00"});
}

TEST_F(SendCommandTest, EachWayOfFailingHasItsExitCode) {
    const QString valid = numbersFile(3);
    const struct Case {
        const char* name;
        std::function<void()> arrange;
        QStringList arguments;
        int exit;
        QString out; // a line the job printed, or empty
        QString err; // the start of what stopped the command, or empty
        int posts;
        QStringList tags; // rows of `send`
    } cases[] = {
        {"login refused",
         [this] { sim.script(test::kLoginPath, test::body("-03")); },
         {"--to", valid, "--text", "hi"},
         4,
         "",
         QString::fromUtf8("账号或密码错误！"),
         0,
         {}},
        {"login unreachable",
         [this] { sim.script(test::kLoginPath, test::dropped()); },
         {"--to", valid, "--text", "hi"},
         5,
         "",
         QString::fromUtf8("请检查您的电脑是否正常连上Internet，请稍侯重试!"),
         0,
         {}},
        {"batch refused",
         [this] { sim.script(kGatewayPath, test::body("-07")); },
         {"--to", valid, "--text", "hi"},
         4,
         QString::fromUtf8("发送失败：短信内容里包含违规关键字，请检查！错误码：-07"),
         "",
         1,
         {}},
        {"batch not posted",
         [this] { sim.script(kGatewayPath, test::dropped()); },
         {"--to", valid, "--text", "hi"},
         5,
         QString::fromUtf8("第[ 1 ]次..[ 3 ]条。发送失败。请检查网络!"),
         "",
         1,
         {QString::fromUtf8("失败")}},
        {"empty text",
         {},
         {"--to", valid, "--text", " \n "},
         3,
         "",
         QString::fromUtf8("发送失败：手机号码和短内容不能为空!"),
         0,
         {}},
        {"no numbers",
         [this] { write("blank.txt", "  \n\n , \n"); },
         {"--to", "blank.txt", "--text", "hi"},
         3,
         "",
         QString::fromUtf8("发送失败：手机号码和短内容不能为空!"),
         0,
         {}},
        {"numbers file missing",
         {},
         {"--to", "absent.txt", "--text", "hi"},
         3,
         "",
         QString::fromUtf8("absent.txt”："),
         0,
         {}},
        {"balance too low",
         [this] {
             sim::Account demo = *sim.account("demo");
             demo.balance = *sim::Money::parse("0.23");
             sim.putAccount(demo);
         },
         {"--to", valid, "--text", "hi"},
         3,
         QString::fromUtf8("发送失败：您的余额不足以支付本次发送任务！"),
         "",
         0,
         {}},
        {"no schedule right",
         [this] {
             sim::Account demo = *sim.account("demo");
             demo.canSchedule = false;
             sim.putAccount(demo);
         },
         {"--to", valid, "--text", "hi", "--at", "2026-12-24 09:05"},
         3,
         "",
         QString::fromUtf8("此账号不能定时发送"),
         0,
         {}},
        {"no remembered password",
         [this] { setting("login", "pwd", ""); },
         {"--to", valid, "--text", "hi"},
         3,
         "",
         QString::fromUtf8("用户名和密码不能为空！"),
         0,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim.clearScripts();
        sim.clearRequests();
        sim.putAccount(sim::demoAccount());
        QFile::remove(file("db.db"));
        setting("login", "pwd", "demo2026");
        if (c.arrange)
            c.arrange();
        QStringList arguments = c.arguments;
        for (QString& a : arguments)
            if (a.endsWith(".txt") && !a.contains('/'))
                a = file(a);
        const CommandResult run = send(arguments);

        EXPECT_EQ(run.exit, c.exit) << run.out.toStdString() << run.err.toStdString();
        if (!c.out.isEmpty()) {
            EXPECT_TRUE(run.out.split('\n').contains(c.out)) << run.out.toStdString();
        }
        if (!c.err.isEmpty()) {
            EXPECT_TRUE(run.err.contains(c.err)) << run.err.toStdString();
        }
        EXPECT_EQ(requestsTo(kGatewayPath).size(), static_cast<std::size_t>(c.posts));
        QStringList tags;
        for (const SendRow& row : rows())
            tags << row.tag;
        EXPECT_EQ(tags, c.tags);
    }
}

// A scheduler's time limit or Ctrl+C while the job runs: the batch on its way is answered and
// logged before the command ends.
TEST_F(SendCommandTest, AStopSignalLeavesNoAcceptedBatchUnlogged) {
    QProcess process;
    process.start(PARLUMO_SEND_EXECUTABLE,
                  {"--home", home.path(), "--to", numbersFile(12001), "--text", "hello"});
    ASSERT_TRUE(process.waitForStarted(10000));
    QString out;
    while (!out.contains(QString::fromUtf8("第[ 1 ]次")) && process.waitForReadyRead(60000))
        out += QString::fromUtf8(process.readAllStandardOutput());
    process.terminate();
    ASSERT_TRUE(process.waitForFinished(60000));

    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(
        QString::fromUtf8(process.readAllStandardError()).startsWith(QString::fromUtf8("发送已中止")));
    const std::size_t posts = requestsTo(kGatewayPath).size();
    EXPECT_GE(posts, 1u);
    EXPECT_LT(posts, 3u);
    EXPECT_EQ(static_cast<std::size_t>(rows().size()), posts);
}

TEST_F(SendCommandTest, DryRunShowsTheBatchesAndTheCostAndPostsNothing) {
    const CommandResult run = send({"--to", numbersFile(12001), "--text", "hello", "--dry-run"});

    EXPECT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.out,
              QString::fromUtf8("试运行：不提交号码，不写发送记录。\n"
                                "号码数：12001  字符数：5  每 60 个字计一条，每个号码 1 条\n"
                                "第[ 1 ]批：[ 5000 ]个号码\n"
                                "第[ 2 ]批：[ 5000 ]个号码\n"
                                "第[ 3 ]批：[ 2001 ]个号码\n"
                                "共 [12001] 条  费用 [960.08] 元  单价 0.08 元/条  余额 1000 元\n"));
    EXPECT_EQ(requestsTo(kGatewayPath).size(), 0u);
    EXPECT_EQ(requestsTo(test::kLoginPath).size(), 1u);
    EXPECT_FALSE(QFile::exists(file("db.db")));
    EXPECT_EQ(sim.account("demo")->balance, *sim::Money::parse("1000"));
}

// The account's 60 characters per SMS: a longer text needs --accept-long, as the compose screen
// asks before sending it.
TEST_F(SendCommandTest, ATextOverOneSmsNeedsToBeAccepted) {
    const QString numbers = numbersFile(120);
    const struct {
        int length;
        bool accept;
        int exit;
    } cases[] = {{59, false, 0}, {60, false, 0}, {61, false, 3}, {61, true, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        QStringList arguments{"--to", numbers, "--text", QString(c.length, 'a'), "--dry-run"};
        if (c.accept)
            arguments << "--accept-long";
        const CommandResult run = send(arguments);
        EXPECT_EQ(run.exit, c.exit) << run.err.toStdString();
        if (c.exit == 3) {
            EXPECT_EQ(run.err,
                      QString::fromUtf8(
                          "短信内容超过 60 个字符，将按 120 x 2 =240条发送和计费。  确认继续发送吗？\n"
                          "确认发送请加 --accept-long。\n"));
        }
    }
}

TEST_F(SendCommandTest, AnAccountGivenOnTheCommandLineReplacesTheRememberedOne) {
    setting("login", "uid", "someone");
    setting("login", "pwd", "");
    const QString password = write("secret", "demo2026\nignored\n");
    const CommandResult run =
        send({"--to", numbersFile(2), "--text", "hi", "--uid", "demo", "--password-file", password});

    EXPECT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(posted("id"), std::vector<std::string>{"demo"});
    EXPECT_EQ(rows().size(), 1);
}

TEST_F(SendCommandTest, BadArgumentsPrintTheUsageAndExit2) {
    const QString numbers = numbersFile(1);
    const QStringList cases[] = {
        {},
        {"--text", "hi"},
        {"--to", numbers},
        {"--to", numbers, "--text", "hi", "--text-file", numbers},
        {"--to", numbers, "--text", "hi", "--uid", "demo"},
        {"--to", numbers, "--text", "hi", "--uid", " ", "--password-file", numbers},
        {"--to", numbers, "--text", "hi", "--at", "2026-12-24 9:05"},
        {"--to", numbers, "--text", "hi", "--at", "2026-02-30 09:05"},
        {"--to", numbers, "--text", "hi", "--colour"},
        {"--to", numbers, "--text", "hi", "extra"},
        {"--to", numbers, "--to", numbers, "--text", "hi"},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CommandResult run = send(arguments);
        EXPECT_EQ(run.exit, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.contains(QString::fromUtf8("用法：parlumo-send --home DIR")))
            << run.err.toStdString();
    }
    EXPECT_TRUE(sim.requests().empty());
}

TEST_F(SendCommandTest, HelpDescribesTheExitCodes) {
    const CommandResult run = send({"--help"});
    EXPECT_EQ(run.exit, 0);
    for (const char* code : {"  0  ", "  1  ", "  2  ", "  3  ", "  4  ", "  5  "})
        EXPECT_TRUE(run.out.contains(code)) << code;
}

} // namespace
} // namespace parlumo
