#include "data/file_bytes.h"

#include "tests/support/program_fixture.h"
#include "text/error.h"

#include <QDir>
#include <QFile>

namespace parlumo {
namespace {

using FileBytesTest = test::ProgramFolderTest;

TEST_F(FileBytesTest, ReadsAFileWholeOrUpToOneByteOverTheLimit) {
    const struct {
        qint64 size;
        qint64 limit;
        qint64 read;
    } cases[] = {{0, 10, 0}, {9, 10, 9}, {10, 10, 10}, {11, 10, 11}, {5000, 10, 11}, {5000, -1, 5000}};
    for (const auto& c : cases) {
        QByteArray bytes(c.size, '\0');
        for (qint64 i = 0; i < c.size; ++i)
            bytes[i] = static_cast<char>(i % 251);
        writeBytes("f.bin", bytes);
        EXPECT_EQ(readFileBytes(file("f.bin"), c.limit), bytes.left(c.read)) << c.size << "/" << c.limit;
    }
}

TEST_F(FileBytesTest, AFileThatCannotBeReadRaisesItsReason) {
    writeBytes("locked.bin", "secret");
    QFile::setPermissions(file("locked.bin"), QFileDevice::Permissions());
    const bool permissionsHold = !QFile(file("locked.bin")).open(QIODevice::ReadOnly); // not as root
    QDir(folder()).mkdir("folder.png");
    QStringList unreadable{file("absent.png"), file("folder.png")};
    if (permissionsHold)
        unreadable << file("locked.bin");
    for (const QString& path : unreadable) {
        try {
            readFileBytes(path, 100);
            ADD_FAILURE() << path.toStdString();
        } catch (const Error& error) {
            EXPECT_FALSE(error.reason().isEmpty()) << path.toStdString();
        }
    }
}

} // namespace
} // namespace parlumo
