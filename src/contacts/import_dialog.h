#pragma once

#include "contacts/import_rows.h"
#include "toolkit/file_dialogs.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace parlumo {

struct Services;
class SpreadsheetReader;

// "导入号码": reads worksheet 1 of a spreadsheet file (row 1 is a header and never imported) and
// hands its rows to the screen that opened it: contacts to the address book, numbers to the
// send-SMS screen or to the voice screen. The opener's mode word decides which one.
class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(Services& services, QWidget* parent = nullptr);

public Q_SLOTS:
    // Opens the dialog modally for the opener's mode word: "form3" (send-SMS screen), "form12"
    // (voice screen), anything else the address book ("form4").
    void openFor(const QString& mode);
    // Shows the one import button that fits the mode word.
    void FormShow();
    void btschClick();
    void LbSpeedButton1Click();
    void LbSpeedButton2Click();
    void LbSpeedButton4Click();
    void LbSpeedButton3Click();

Q_SIGNALS:
    // The numbers read for the send-SMS screen's or the voice screen's memo, all in one list.
    void smsNumbersImported(const QStringList& numbers);
    void voiceNumbersImported(const QStringList& numbers);
    // The contacts read for the address book. The receiver stores them at once (the connection
    // is direct) and sets *stored when every row is in the table.
    void contactsImported(const QList<ContactRow>& rows, bool* stored);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildLayoutTexts();
    QWidget* buildFileRow();
    QGroupBox* buildButtons();
    std::optional<SpreadsheetReader> openSheet();
    void importNumbers(NumberImport target);
    void reportFailure();
    void reportSuccess();

    QLineEdit* actionpg;
    QLabel* Image1;
    QLineEdit* Edit1;
    QPushButton* btsch;
    QGroupBox* GroupBox1;
    QPushButton* LbSpeedButton1;
    QPushButton* LbSpeedButton2;
    QPushButton* LbSpeedButton4;
    QPushButton* LbSpeedButton3;

    Services& services_;
    // The open dialog's caption and filter stay from one opening to the next.
    FileDialogRequest OpenDialog1;
};

} // namespace parlumo
