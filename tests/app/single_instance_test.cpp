#include "app/single_instance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace parlumo {
namespace {

// Points the runtime folder at a private temporary folder for one test.
class RuntimeFolder {
public:
    RuntimeFolder() : previous_(qgetenv("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", dir_.path().toUtf8());
    }
    ~RuntimeFolder() { qputenv("XDG_RUNTIME_DIR", previous_); }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QByteArray previous_;
};

TEST(SingleInstance, SecondMarkerIsRefusedWhileTheFirstIsHeld) {
    RuntimeFolder runtime;
    EXPECT_EQ(SingleInstance::lockPath(), QDir(runtime.path()).filePath("VezAvuz.lock"));
    auto first = std::make_unique<SingleInstance>();
    EXPECT_TRUE(first->acquired());
    EXPECT_FALSE(SingleInstance().acquired());
    first.reset();
    EXPECT_TRUE(SingleInstance().acquired());
}

TEST(SingleInstance, LockOfADeadProcessIsTakenOver) {
    RuntimeFolder runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QTemporaryDir home;
    env.insert("PARLUMO_HOME", home.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess crashed;
    crashed.setProcessEnvironment(env);
    crashed.start(PARLUMO_EXECUTABLE, {});
    ASSERT_TRUE(crashed.waitForStarted());
    for (int i = 0; i < 300 && !QFileInfo::exists(SingleInstance::lockPath()); ++i)
        QThread::msleep(20);
    ASSERT_TRUE(QFileInfo::exists(SingleInstance::lockPath()));
    crashed.kill();
    ASSERT_TRUE(crashed.waitForFinished());
    ASSERT_TRUE(QFileInfo::exists(SingleInstance::lockPath()));
    EXPECT_TRUE(SingleInstance().acquired());
}

TEST(SingleInstance, SecondStartOfTheProgramShowsTheMessageAndTouchesNothing) {
    QTemporaryDir dir;
    const QString runtime = dir.filePath("runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime);
    env.insert("QT_QPA_PLATFORM", "offscreen");

    QProcess first;
    env.insert("PARLUMO_HOME", dir.filePath("home1"));
    env.insert("PARLUMO_MESSAGE_LOG", dir.filePath("first.jsonl"));
    first.setProcessEnvironment(env);
    first.start(PARLUMO_EXECUTABLE, {});
    ASSERT_TRUE(first.waitForStarted());
    const QString lockFile = QDir(runtime).filePath("VezAvuz.lock");
    for (int i = 0; i < 300 && !QFileInfo::exists(lockFile); ++i)
        QThread::msleep(20);
    ASSERT_TRUE(QFileInfo::exists(lockFile));

    QProcess second;
    env.insert("PARLUMO_HOME", dir.filePath("home2"));
    env.insert("PARLUMO_MESSAGE_LOG", dir.filePath("second.jsonl"));
    second.setProcessEnvironment(env);
    second.start(PARLUMO_EXECUTABLE, {});
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    QFile log(dir.filePath("second.jsonl"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 1);
    const QJsonObject box = QJsonDocument::fromJson(lines[0]).object();
    EXPECT_EQ(box.value("caption").toString(), QString::fromUtf8("温馨提示"));
    EXPECT_EQ(box.value("text").toString(), QString::fromUtf8("软件正在运行！"));
    EXPECT_EQ(box.value("buttons").toVariant().toStringList(), QStringList{"ok"});
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("home2")));

    first.terminate();
    if (!first.waitForFinished(10000))
        first.kill();
    first.waitForFinished();
    EXPECT_TRUE(QFileInfo::exists(QDir(dir.filePath("home1")).filePath("db.db")));
}

} // namespace
} // namespace parlumo
