#pragma once

#include "toolkit/file_dialogs.h"
#include "toolkit/message_box.h"
#include "toolkit/shell.h"

#include <QList>
#include <QStringList>

namespace parlumo::test {

// Records every message box and answers from a script, then with the first button.
class RecordingMessageBoxes final : public MessageBoxes {
public:
    MessageButton show(QWidget*, const MessageRequest& request) override {
        shown.append(request);
        if (!answers.isEmpty())
            return answers.takeFirst();
        return request.buttons.isEmpty() ? MessageButton::Ok : request.buttons.first();
    }
    QList<MessageRequest> shown;
    QList<MessageButton> answers;
};

// Records every dialog and answers with scripted paths; an empty answer is a cancel.
class RecordingFileDialogs final : public FileDialogs {
public:
    QString openFile(QWidget*, const FileDialogRequest& request) override { return answer(request); }
    QString saveFile(QWidget*, const FileDialogRequest& request) override { return answer(request); }
    QList<FileDialogRequest> requests;
    QStringList answers;

private:
    QString answer(const FileDialogRequest& request) {
        requests.append(request);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

struct ShellCall {
    QString target;
    QString parameters;
    QString workingFolder;
};

// Records what would have been opened; nothing is started.
class RecordingShell final : public Shell {
public:
    bool
    openProgram(const QString& program, const QString& parameters, const QString& workingFolder) override {
        calls.append(ShellCall{program, parameters, workingFolder});
        return true;
    }
    bool openDocument(const QString& fileOrUrl) override {
        calls.append(ShellCall{fileOrUrl, QString(), QString()});
        return true;
    }
    QList<ShellCall> calls;
};

} // namespace parlumo::test
