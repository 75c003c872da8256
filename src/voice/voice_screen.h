#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace parlumo {

struct AccountFields;
struct Services;
class DateRangeRecords;
class DirectCallPage;
class VoiceTaskPage;

// "语音服务": voice message tasks, direct calls and their records, one page each, chosen in the
// tree on the left.
class TForm12 : public QWidget {
    Q_OBJECT
public:
    explicit TForm12(Services& services, QWidget* parent = nullptr);

public Q_SLOTS:
    // Numbers handed over by other screens, one line each at the end of `v_no`.
    void appendNumbers(const QStringList& numbers);
    // A phrase handed over by the phrase library replaces the text to be spoken.
    void setSpokenText(const QString& text);
    void FormShow();
    void tv1Change();
    // The records page came to the front: the last seven days are listed.
    void tt2Show();

Q_SIGNALS:
    // "Excel 中提取": the spreadsheet import opens for this screen's mode word.
    void spreadsheetImportRequested(const QString& actionpg);
    // "从名片夹提取" and "常用短语": the address book or the phrase library comes to the front.
    void addressBookRequested();
    void phrasesRequested();
    // An accepted voice task lowered the balance.
    void accountChanged(const AccountFields& account);
    // A listed record was clicked: its task's progress opens with its task number and count.
    void progressRequested(const QString& snum, const QString& count);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildNavigation();
    QWidget* buildHeader();
    QWidget* buildRecordsPage();

    QTreeWidget* tv1;
    QPlainTextEdit* Memo1;
    QLabel* Label7;
    QLabel* Label9;
    QLineEdit* hm;
    QStackedWidget* ppc;
    VoiceTaskPage* tt1;
    QWidget* tt2;
    DirectCallPage* tt4;

    Services& services_;
    DateRangeRecords* records_ = nullptr;
    QTreeWidgetItem* root_ = nullptr;
};

} // namespace parlumo
