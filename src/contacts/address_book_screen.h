#pragma once

#include "data/contact_rows.h"

#include <QList>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class QTreeWidget;

namespace parlumo {

struct Services;
struct TNodeData;
class RecordGrid;
class SqlText;
class TTreeUtils;

// "名片夹": the address book in its tree of groups. Lists the account's contacts by group or
// search, adds and deletes them, files ticked ones into a group by dragging them onto it,
// exports and imports them, and hands the ticked numbers to the SMS and MMS screens.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(Services& services, QWidget* parent = nullptr);

    // Stops the tree loads (the program is closing).
    void stopWorkers();

public Q_SLOTS:
    // The screen became visible: the tree is rebuilt and all of the account's contacts listed.
    void FormShow();
    // A group was selected: it becomes the current group and its own contacts are listed.
    void TreeView1Change(const parlumo::TNodeData& node, const parlumo::TNodeData& parent);
    // "查找": the account's contacts whose name or number holds the key, in every group.
    void btschClick();
    // "&A新增": a new row at the end of the list for the account and the current group; it is
    // stored when posted, even when nothing is typed into it.
    void btaddClick();
    // Enter in the list: the current row's number is checked, then its changes are posted or
    // cancelled.
    void wwDBGrid1KeyPress();
    // "&D删除": the ticked contacts are deleted without a question.
    void btdeClick();
    // "上一条", "下一条".
    void btpvClick();
    void btntClick();
    // "全选".
    void CheckBox1Click();
    // "发短信" and "发彩信": the ticked numbers, in tick order, go to the SMS or MMS screen.
    void btsendClick();
    void LbSpeedButton1Click();
    // "Excel导出": what the list shows.
    void btexouClick();
    // Contacts handed over by the spreadsheet import join the account and the current group
    // (`lblNodeIndex`), all in one transaction; *stored tells the import whether they are in.
    // The list is then read again so that they show.
    void appendContacts(const QList<ContactRow>& rows, bool* stored);

Q_SIGNALS:
    // "Excel 导入" and "导入数据": the spreadsheet import opens for this screen's mode word.
    void spreadsheetImportRequested(const QString& actionpg);
    // The numbers are to be appended to the SMS or the MMS screen's numbers, which is shown.
    void smsRequested(const QStringList& numbers);
    void mmsRequested(const QStringList& numbers);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildTree();
    QWidget* buildSearch();
    QWidget* buildActions();
    void buildTreeBinding();
    void connectHandlers();
    // Lists a statement's rows for a user's action; a failure is shown and leaves the list empty.
    void showList(const SqlText& statement);
    // Reads the current statement again; a failure leaves the list empty, silently.
    void reopenQuietly();
    void moveTickedTo(int group);
    void deleteGroupContents(const TNodeData& group);
    bool haveTicked();
    qint64 storeContact(qint64 id, const QVariantMap& fields);
    QString uid() const;
    int groupId() const;

    QComboBox* ComboBox1;
    QLineEdit* keystr;
    QPushButton* btsch;
    QLineEdit* allmobno;
    QLineEdit* selmobno;
    QTableView* wwDBGrid1;
    QTreeWidget* TreeView1;
    QMenu* PopupMenu1;
    QLabel* lblNodeCaption;
    QLabel* lblNodeIndex;
    QLabel* lblParentCaption;
    QLabel* lblParentIndex;
    QPushButton* btsend;
    QPushButton* LbSpeedButton1;
    QPushButton* btadd;
    QPushButton* btde;
    QPushButton* btpv;
    QPushButton* btnt;
    QPushButton* btexin;
    QPushButton* btexou;
    QCheckBox* CheckBox1;

    Services& services_;
    TTreeUtils* tree_ = nullptr;
    RecordGrid* grid_ = nullptr;
};

} // namespace parlumo
