#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QPlainTextEdit;
class QWidget;

namespace parlumo {

class MessageBoxes;
struct Services;

// A sending screen's check of its text box against the program folder's forbidden words before
// a send: the words found are highlighted in the box and named in a message, so the user edits
// the text instead of the service refusing the whole send. Without a readable word list there is
// no check.
class ForbiddenWordCheck : public QObject {
    Q_OBJECT
public:
    // The program folder's keyword.txt is read at every check, so edits to it apply to the next send.
    ForbiddenWordCheck(QWidget* screen, QPlainTextEdit* box, Services& services);

    // The words the list holds now.
    QStringList words() const;
    // Checks the box's text now. True when it holds none of the words (earlier highlights are
    // cleared); otherwise the words are rejected as below and false.
    bool passes();
    // Highlights every place of the words in the box, names them in a message and puts the focus
    // on the box; for a check that ran elsewhere (the SMS send job) too.
    void reject(const QStringList& found);
    // Marks every place of the words in the box; no words clears the marks.
    void highlight(const QStringList& found);

private:
    QWidget* screen_;
    QPlainTextEdit* box_;
    QString keywordFile_;
    MessageBoxes& messages_;
};

} // namespace parlumo
