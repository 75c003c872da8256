#pragma once

#include <QString>

class QWidget;

namespace parlumo {

// A file dialog's request. The filter uses the program's "desc|pattern|desc|pattern" form;
// an empty filter shows every file. A start folder "c:" means the user's home folder.
struct FileDialogRequest {
    QString caption;
    QString filter;
    QString startFolder;
    QString defaultName;
};

// The seam for open and save dialogs. An empty result means the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual QString openFile(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual QString saveFile(QWidget* parent, const FileDialogRequest& request) = 0;
};

// Turns "desc|pattern|…" into Qt's "desc (pattern);;…"; "*.*" stands for every file.
QString qtFileFilter(const QString& pipeFilter);

class QtFileDialogs final : public FileDialogs {
public:
    QString openFile(QWidget* parent, const FileDialogRequest& request) override;
    QString saveFile(QWidget* parent, const FileDialogRequest& request) override;
};

} // namespace parlumo
