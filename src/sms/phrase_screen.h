#pragma once

#include "data/sql_text.h"

#include <QPoint>
#include <QWidget>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;
class QTimer;
class QTreeWidget;

namespace parlumo {

struct Services;
struct TNodeData;
class TTreeUtils;

// "短语管理": the phrase library in its tree of categories. Lists, searches, adds and deletes
// phrases, manages the categories, and hands a chosen phrase to the SMS, MMS or voice screen.
class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(Services& services, QWidget* parent = nullptr);

    // Stops the tree loads (the program is closing).
    void stopWorkers();

public Q_SLOTS:
    // The screen became visible: the tree is rebuilt and the 100 newest phrases are listed.
    void FormShow();
    // A category was selected: it is noted and its phrases are listed.
    void TreeView1Change(const parlumo::TNodeData& node, const parlumo::TNodeData& parent);
    // "查找": the phrases holding the words of `keystr`, in every category.
    void btschsfw34234Click();
    // Double click, "&T选择", "至：短信": the selected phrase goes to the SMS text.
    void btsendClick();
    // "至：彩信" and "至：语音".
    void phraseToMmsClick();
    void phraseToVoiceClick();
    // "&A新增", "添加": the phrase dialog opens for the selected category.
    void btaddClick();
    // "&D删除", "删除": the selected phrase is deleted at once.
    void btdeClick();
    // Runs the list's last query again (a phrase was added).
    void refreshList();

Q_SIGNALS:
    // The phrase is to replace the text of the SMS, the MMS or the voice screen, which is shown.
    void phraseForSms(const QString& text);
    void phraseForMms(const QString& text);
    void phraseForVoice(const QString& text);
    // New phrases are to be typed for category `groupId` (0: no category).
    void phraseEditRequested(int groupId);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildTree();
    QWidget* buildList();
    void connectHandlers();
    // Runs a list query and shows its rows; raises DatabaseError.
    void runList(const SqlText& statement);
    // Runs a list query for a user's action; a failure is shown and leaves the list empty.
    void showList(const SqlText& statement);
    void deleteCategoryContents(const TNodeData& group);
    QString selectedPhrase() const;
    QString uid() const;
    int groupId() const;

    QTreeWidget* TreeView1;
    QTableWidget* DBGrid1;
    QLineEdit* keystr;
    QPushButton* btschsfw34234;
    QPushButton* btsend;
    QPushButton* btadd;
    QPushButton* btde;
    QMenu* PopupMenu1;
    QMenu* PopupMenu2;
    QLabel* lblNodeCaption;
    QLabel* lblNodeIndex;
    QLabel* lblParentCaption;
    QLabel* lblParentIndex;

    Services& services_;
    TTreeUtils* tree_ = nullptr;
    SqlText lastQuery_;
    QTimer* menuDelay_ = nullptr;
    QPoint menuPosition_;
};

} // namespace parlumo
