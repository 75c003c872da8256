#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace parlumo {

struct Services;

// "添加新短语": the borderless dialog in which new phrases are typed, one after the other, for one
// category. Each phrase that is stored leaves the dialog open with an empty memo.
class TForm10 : public QDialog {
    Q_OBJECT
public:
    explicit TForm10(Services& services, QWidget* parent = nullptr);

public Q_SLOTS:
    // Opens the dialog modally, centred on the screen, for new phrases of category `groupId`.
    void openFor(int groupId);
    // "&A添加": stores the memo's text as a phrase and starts the next one.
    void btaddClick();
    // "&C关闭": the phrase being typed is discarded and the dialog closes.
    void LbSpeedButton1Click();

Q_SIGNALS:
    // A phrase was stored; the phrase list shows it when it matches its query.
    void phraseAdded();

private:
    QPlainTextEdit* DBMemo1;
    QPushButton* btadd;
    QPushButton* LbSpeedButton1;

    Services& services_;
    int groupId_ = 0;
};

} // namespace parlumo
