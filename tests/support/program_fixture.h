#pragma once

#include "app/program.h"
#include "tests/support/controls.h"
#include "tests/support/recorders.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace parlumo::test {

// A fresh temporary program folder for each test.
class ProgramFolderTest : public ::testing::Test {
protected:
    QString file(const QString& name) const { return folder_.filePath(name); }
    QString folder() const { return folder_.path(); }
    QByteArray readBytes(const QString& name) const;
    void writeBytes(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir folder_;
};

// A whole program on a temporary folder, with recorders in place of the seams.
class ProgramTest : public ProgramFolderTest {
protected:
    // Builds the program on first use, so a test can lay out files first.
    Program& program();
    Screens& screens() { return program().screens(); }
    Services& services() { return program().services(); }

    RecordingMessageBoxes* messages = nullptr;
    RecordingFileDialogs* fileDialogs = nullptr;
    RecordingShell* shell = nullptr;

private:
    std::unique_ptr<Program> program_;
};

} // namespace parlumo::test
