#include "app/program_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace parlumo {
namespace {

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A folder gets what it lacks of the shared files, sample folders included, and keeps what it
// has: a word list the user edited is not replaced, nor a sample of the same name.
TEST(ProgramFolderSeed, CopiesWhatTheFolderLacksAndKeepsWhatItHas) {
    const QTemporaryDir shared;
    const QTemporaryDir home;
    write(shared.filePath("keyword.txt"), "shipped words");
    write(shared.filePath("loginbg.bmp"), "BM picture");
    write(shared.filePath("彩信示例文件/stars.gif"), "GIF89a shipped");
    write(shared.filePath("彩信示例文件/flower.png"), "PNG flower");
    write(shared.filePath("声音文件/示例语音.wav"), "RIFF wave");
    write(home.filePath("keyword.txt"), "edited words");
    write(home.filePath("彩信示例文件/stars.gif"), "GIF89a the user's own");

    EXPECT_TRUE(seedProgramFolder(shared.path(), home.path()).isEmpty());

    EXPECT_EQ(read(home.filePath("keyword.txt")), "edited words");
    EXPECT_EQ(read(home.filePath("彩信示例文件/stars.gif")), "GIF89a the user's own");
    EXPECT_EQ(read(home.filePath("loginbg.bmp")), "BM picture");
    EXPECT_EQ(read(home.filePath("彩信示例文件/flower.png")), "PNG flower");
    EXPECT_EQ(read(home.filePath("声音文件/示例语音.wav")), "RIFF wave");

    // Whatever the folder lacks at a start is copied again, a sample the user deleted too.
    QFile::remove(home.filePath("彩信示例文件/flower.png"));
    EXPECT_TRUE(seedProgramFolder(shared.path(), home.path()).isEmpty());
    EXPECT_EQ(read(home.filePath("彩信示例文件/flower.png")), "PNG flower");
}

TEST(ProgramFolderSeed, NamesWhatCouldNotBeCopied) {
    const QTemporaryDir shared;
    const QTemporaryDir home;
    write(shared.filePath("声音文件/示例语音.wav"), "RIFF wave");
    write(shared.filePath("keyword.txt"), "words");
    write(home.filePath("声音文件"), "a file where the folder should be");
    EXPECT_EQ(seedProgramFolder(shared.path(), home.path()), QStringList{home.filePath("声音文件/示例语音.wav")});
    EXPECT_EQ(read(home.filePath("keyword.txt")), "words");
}

TEST(ProgramFolderResolution, TheCommandLineComesBeforeTheEnvironment) {
    const QTemporaryDir base;
    const QString fromEnvironment = base.filePath("from-environment");
    const QString fromCommandLine = base.filePath("命令行/home");
    qputenv("PARLUMO_HOME", fromEnvironment.toLocal8Bit());
    EXPECT_EQ(resolveProgramFolder(fromCommandLine), fromCommandLine);
    EXPECT_TRUE(QFileInfo(fromCommandLine).isDir());
    EXPECT_EQ(resolveProgramFolder(), fromEnvironment);
    qunsetenv("PARLUMO_HOME");
}

} // namespace
} // namespace parlumo
