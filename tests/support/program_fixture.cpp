#include "tests/support/program_fixture.h"

#include <QFile>

namespace parlumo::test {

QByteArray ProgramFolderTest::readBytes(const QString& name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ProgramFolderTest::writeBytes(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

Program& ProgramTest::program() {
    if (!program_) {
        Seams seams;
        auto m = std::make_unique<RecordingMessageBoxes>();
        auto f = std::make_unique<RecordingFileDialogs>();
        auto s = std::make_unique<RecordingShell>();
        messages = m.get();
        fileDialogs = f.get();
        shell = s.get();
        seams.messages = std::move(m);
        seams.fileDialogs = std::move(f);
        seams.shell = std::move(s);
        program_ = std::make_unique<Program>(folder(), std::move(seams));
    }
    return *program_;
}

} // namespace parlumo::test
