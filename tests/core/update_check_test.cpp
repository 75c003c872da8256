// The update check: the version file's rule and the worker that acts on it.
#include "core/update_check.h"
#include "core/version.h"
#include "tests/support/faults.h"
#include "tests/support/login_fixture.h"
#include "text/split_fields.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace parlumo {
namespace {

struct VersionCase {
    const char* name;
    std::optional<std::string> offered;      // the simulator's own version file offering this version
    std::optional<sim::ScriptedReply> reply; // or this reply
    bool updates;
};

sim::ScriptedReply notFound() {
    sim::ScriptedReply reply = test::body("[update]\r\nversion=4.4.0.1\r\n");
    reply.status = 404;
    return reply;
}

const VersionCase kVersionCases[] = {
    {"equal", "4.4.0.0", std::nullopt, false},
    {"newer", "4.4.0.1", std::nullopt, true},
    {"older", "4.3.0.0", std::nullopt, true},
    {"line_feeds_only", std::nullopt, test::body("[update]\nversion=4.4.0.0"), false},
    {"one_line", std::nullopt, test::body("version=4.4.0.1"), false},
    // Blanks split too, so a word after the section name becomes the second element.
    {"blank_in_first_line", std::nullopt, test::body("[update] beta\r\nversion=4.4.0.0"), true},
    {"not_found", std::nullopt, notFound(), false},
    {"unreachable", std::nullopt, test::dropped(), false},
};

class UpdateCheckTest : public test::SimulatorTest {
protected:
    QString file(const QString& name) const { return QDir(folder.path()).filePath(name); }

    QTemporaryDir folder;
    test::RecordingShell shell;
};

TEST_F(UpdateCheckTest, StartsTheUpdaterExactlyWhenAnotherVersionIsOffered) {
    const QString url = base() + "/download/bexol.txt";
    for (const VersionCase& c : kVersionCases) {
        SCOPED_TRACE(c.name);
        shell.calls.clear();
        for (const char* path : {"backup/old/a.bin", "updatedir/b.bin"}) {
            ASSERT_TRUE(QDir().mkpath(QFileInfo(file(path)).path()));
            QFile f(file(path));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        sim::Settings settings = sim.settings();
        settings.offeredVersion = c.offered.value_or("4.4.0.0");
        sim.setSettings(settings);
        if (c.reply)
            sim.script("/download/bexol.txt", *c.reply);

        GETHTTPThread check(url, folder.path(), shell, std::chrono::milliseconds(0));
        check.start();
        check.join();

        EXPECT_EQ(QFileInfo::exists(file("backup")), !c.updates);
        EXPECT_EQ(QFileInfo::exists(file("updatedir")), !c.updates);
        if (c.updates) {
            ASSERT_EQ(shell.calls.size(), 1);
            EXPECT_EQ(shell.calls[0].target, file("Update.exe"));
            EXPECT_EQ(shell.calls[0].parameters, QString());
            EXPECT_EQ(shell.calls[0].workingFolder, folder.path());
        } else {
            EXPECT_TRUE(shell.calls.isEmpty());
        }
    }
    EXPECT_EQ(requestsTo("/download/bexol.txt").size(), std::size(kVersionCases));
}

class UpdateCheckFaultTest : public UpdateCheckTest, public ::testing::WithParamInterface<test::Fault> {};

// With a newer version on offer, a failed check starts nothing and leaves the folders.
TEST_P(UpdateCheckFaultTest, StartsNothing) {
    for (const char* path : {"backup/a.bin", "updatedir/b.bin"}) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file(path)).path()));
        QFile f(file(path));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    sim::Settings settings = sim.settings();
    settings.offeredVersion = "4.5.0.0";
    sim.setSettings(settings);
    const QString url = base() + "/download/bexol.txt";
    const test::InjectedFault fault(sim, GetParam(), "/download/bexol.txt");

    GETHTTPThread check(url, folder.path(), shell, std::chrono::milliseconds(0));
    check.start();
    check.join();
    EXPECT_TRUE(shell.calls.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(file("backup/a.bin")));
    EXPECT_TRUE(QFileInfo::exists(file("updatedir/b.bin")));
}

INSTANTIATE_TEST_SUITE_P(Faults,
                         UpdateCheckFaultTest,
                         ::testing::ValuesIn(test::kEveryFault),
                         test::FaultName());

TEST(UpdateOffered, ComparesTheSecondElementWithoutVersionPrefixAndBlanks) {
    EXPECT_FALSE(updateOffered("[update]\r\nversion=4.4.0.0\r\n", kProgramVersion));
    EXPECT_FALSE(updateOffered("[update]\nversion=4.4.0.0", " 4.4.0.0 "));
    EXPECT_TRUE(updateOffered("[update]\nversion=4.4.0.0", "4.4.0.1"));
    EXPECT_FALSE(updateOffered("[update]\n4.4.0.0", kProgramVersion));
    EXPECT_FALSE(updateOffered("[update]\nversion=version=4.4.0.0", kProgramVersion));
    EXPECT_THROW(updateOffered("version=4.4.0.1", kProgramVersion), FieldError);
    EXPECT_THROW(updateOffered("", kProgramVersion), FieldError);
}

// Stopping ends the wait at once: the check asks nothing and starts nothing.
TEST_F(UpdateCheckTest, StoppedDuringTheWaitDoesNothing) {
    GETHTTPThread check(base() + "/download/bexol.txt", folder.path(), shell, std::chrono::hours(1));
    check.start();
    check.stop();
    EXPECT_TRUE(requestsTo("/download/bexol.txt").empty());
    EXPECT_TRUE(shell.calls.isEmpty());
}

using LoginUpdateCheckTest = test::LoginTest;

// The login screen's first show starts the check against the update host's version file.
TEST_F(LoginUpdateCheckTest, FirstShowStartsTheCheck) {
    sim::Settings settings = sim.settings();
    settings.offeredVersion = "4.5.0.0";
    sim.setSettings(settings);
    ASSERT_TRUE(QDir().mkpath(file("updatedir/x")));
    login().updateCheckDelay = std::chrono::milliseconds(0);
    showLogin();
    const QDeadlineTimer deadline(20000);
    while (QFileInfo::exists(file("updatedir")) && !deadline.hasExpired())
        QTest::qWait(20);
    login().stopUpdateCheck();
    EXPECT_EQ(requestsTo("/download/bexol.txt").size(), 1u);
    ASSERT_EQ(shell->calls.size(), 1);
    EXPECT_EQ(shell->calls[0].target, file("Update.exe"));
    EXPECT_TRUE(messages->shown.isEmpty());
}

} // namespace
} // namespace parlumo
