// The real program under a virtual X server against the real simulator, driven by the keyboard.
#include "sim/json.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

namespace parlumo {
namespace {

// A child process that is killed and reaped when it goes out of scope.
class Child {
public:
    Child() = default;
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() { stop(); }

    QProcess process;

    void stop() {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(3000)) {
            process.kill();
            process.waitForFinished(3000);
        }
    }

    // The first line of standard output, or an empty text when none came in time.
    QString firstLine(int timeoutMs) {
        const QDeadlineTimer deadline(timeoutMs);
        while (!process.canReadLine() && !deadline.hasExpired())
            if (!process.waitForReadyRead(static_cast<int>(qMax<qint64>(1, deadline.remainingTime()))))
                break;
        return process.canReadLine() ? QString::fromUtf8(process.readLine()).trimmed() : QString();
    }
};

// Polls the condition until it holds or the time is up.
bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (condition())
            return true;
        QThread::msleep(100);
    }
    return condition();
}

class LoginEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(work.isValid());
        startXServer();
        if (display.isEmpty())
            GTEST_SKIP() << "Xvfb cannot start here";
        startSimulator();
    }

    void startXServer() {
        xvfb.process.setProgram("Xvfb");
        xvfb.process.setArguments({"-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
        xvfb.process.start();
        if (!xvfb.process.waitForStarted(5000))
            return;
        const QString number = xvfb.firstLine(10000);
        if (QRegularExpression("^\\d+$").match(number).hasMatch())
            display = ":" + number;
    }

    void startSimulator() {
        sim.process.setProgram(PARLUMO_SIM_EXECUTABLE);
        sim.process.setArguments({"--port", "0", "--log", path("requests.jsonl")});
        sim.process.start();
        ASSERT_TRUE(sim.process.waitForStarted(5000));
        const QRegularExpressionMatch m =
            QRegularExpression("^parlumo-sim listening on 127\\.0\\.0\\.1:(\\d+)$")
                .match(sim.firstLine(10000));
        ASSERT_TRUE(m.hasMatch());
        base = "http://127.0.0.1:" + m.captured(1);
    }

    QString path(const QString& name) const { return QDir(work.path()).filePath(name); }

    // Runs xdotool on the virtual display and returns its output; empty when it failed.
    QString xdotool(const QStringList& arguments) {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        tool.setProcessEnvironment(env);
        tool.start("xdotool", arguments);
        if (!tool.waitForFinished(10000)) {
            tool.kill();
            tool.waitForFinished(3000);
            return QString();
        }
        return tool.exitCode() == 0 ? QString::fromUtf8(tool.readAllStandardOutput()).trimmed() : QString();
    }

    // The SOAP operations that reached the simulator, in order.
    QStringList soapOperations() const {
        QFile log(path("requests.jsonl"));
        QStringList operations;
        if (!log.open(QIODevice::ReadOnly))
            return operations;
        while (!log.atEnd()) {
            const QByteArray line = log.readLine().trimmed();
            if (line.isEmpty())
                continue;
            try {
                const sim::Json entry = sim::Json::parse(line.toStdString());
                if (const sim::Json* soap = entry.find("soap"))
                    operations << QString::fromStdString(soap->find("operation")->asString());
            } catch (const sim::JsonError&) {
                // A line still being written.
            }
        }
        return operations;
    }

    QTemporaryDir work;
    Child xvfb;
    Child sim;
    QString display;
    QString base;
};

TEST_F(LoginEndToEndTest, DemoAccountLogsInWithTheKeyboard) {
    ASSERT_TRUE(QDir().mkpath(path("home")));
    ASSERT_TRUE(QDir().mkpath(path("runtime")));
    ASSERT_TRUE(QFile::setPermissions(
        path("runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    QFile ini(path("home/ovarn.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(("[service]\r\nhost=" + base + "\r\nupdate=" + base + "\r\nsoap=" + base + "\r\n").toUtf8());
    ini.close();

    Child program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("PARLUMO_HOME", path("home"));
    env.insert("PARLUMO_MESSAGE_LOG", path("messages.jsonl"));
    env.insert("XDG_RUNTIME_DIR", path("runtime"));
    program.process.setProcessEnvironment(env);
    program.process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.process.setProgram(PARLUMO_EXECUTABLE);
    program.process.start();
    ASSERT_TRUE(program.process.waitForStarted(5000));

    QString loginWindow;
    ASSERT_TRUE(waitFor(
        [&] {
            loginWindow = xdotool({"search", "--onlyvisible", "--name", "^Parlumo$"}).section('\n', 0, 0);
            return !loginWindow.isEmpty();
        },
        20000))
        << "the login screen did not appear";
    xdotool({"windowfocus", loginWindow});
    xdotool({"type", "--delay", "30", "demo"});
    xdotool({"key", "Return"});
    xdotool({"type", "--delay", "30", "demo2026"});
    xdotool({"key", "Return"});

    EXPECT_TRUE(waitFor([&] { return soapOperations().contains("GetUserInfo"); }, 20000))
        << "no GetUserInfo request reached the simulator: " << soapOperations().join(',').toStdString();
    EXPECT_TRUE(waitFor(
        [&] {
            return !xdotool({"search", "--onlyvisible", "--name", "主界面"}).isEmpty();
        },
        20000))
        << "the main window did not appear";
    EXPECT_EQ(program.process.state(), QProcess::Running);
    QFile shownMessages(path("messages.jsonl"));
    if (shownMessages.open(QIODevice::ReadOnly)) {
        EXPECT_FALSE(shownMessages.readAll().contains("登录提示")) << "the login reported a problem";
    }
}

} // namespace
} // namespace parlumo
