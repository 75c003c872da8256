#include "core/shell_services.h"

#include "tests/support/program_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace parlumo {
namespace {

class ShellServicesTest : public test::ProgramFolderTest {
protected:
    void makeFile(const QString& name) {
        QDir().mkpath(QFileInfo(file(name)).path());
        writeBytes(name, "x");
    }
};

TEST_F(ShellServicesTest, DeletesNestedFoldersAndHiddenFiles) {
    makeFile("backup/a.txt");
    makeFile("backup/.hidden");
    makeFile("backup/sub/deeper/b.dat");
    makeFile("backup/.hidden-folder/c");
    QDir().mkpath(file("backup/empty"));
    DeleteFolderTree(file("backup"));
    EXPECT_FALSE(QFileInfo::exists(file("backup")));
}

TEST_F(ShellServicesTest, TrailingSeparatorIsAccepted) {
    makeFile("updatedir/x");
    DeleteFolderTree(file("updatedir") + "/");
    EXPECT_FALSE(QFileInfo::exists(file("updatedir")));
}

TEST_F(ShellServicesTest, LinksAreRemovedAsLinksAndNeverFollowed) {
    makeFile("outside/precious.txt");
    makeFile("outside/sub/also.txt");
    makeFile("backup/own.txt");
    ASSERT_TRUE(QFile::link(file("outside"), file("backup/link-to-folder")));
    ASSERT_TRUE(QFile::link(file("outside/precious.txt"), file("backup/link-to-file")));
    ASSERT_TRUE(QFile::link(file("outside"), file("top-link")));

    DeleteFolderTree(file("backup"));
    DeleteFolderTree(file("top-link"));

    EXPECT_FALSE(QFileInfo::exists(file("backup")));
    EXPECT_FALSE(QFileInfo(file("top-link")).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(file("outside/precious.txt")));
    EXPECT_TRUE(QFileInfo::exists(file("outside/sub/also.txt")));
}

TEST_F(ShellServicesTest, MissingFolderIsNoError) {
    DeleteFolderTree(file("nothing-here"));
    EXPECT_FALSE(QFileInfo::exists(file("nothing-here")));
}

TEST_F(ShellServicesTest, LaunchUpdaterDeletesBothFoldersAndStartsTheUpdater) {
    for (bool withFolders : {true, false}) {
        if (withFolders) {
            makeFile("backup/old.exe");
            makeFile("updatedir/new/part.bin");
        }
        makeFile("keep.txt");
        test::RecordingShell shell;
        LaunchUpdater(folder(), shell);
        EXPECT_FALSE(QFileInfo::exists(file("backup")));
        EXPECT_FALSE(QFileInfo::exists(file("updatedir")));
        EXPECT_TRUE(QFileInfo::exists(file("keep.txt")));
        ASSERT_EQ(shell.calls.size(), 1);
        EXPECT_EQ(shell.calls[0].target, file("Update.exe"));
        EXPECT_EQ(shell.calls[0].parameters, QString());
        EXPECT_EQ(shell.calls[0].workingFolder, folder());
    }
}

} // namespace
} // namespace parlumo
