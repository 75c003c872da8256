#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace parlumo {

struct Services;

// "系统维护": balance query, online upgrade, copy of the database and the password change.
class TForm7 : public QWidget {
    Q_OBJECT
public:
    explicit TForm7(Services& services, QWidget* parent = nullptr);

public Q_SLOTS:
    void FormShow();
    void tv1Change(QTreeWidgetItem* current);
    void LbSpeedButton1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* Label2;
    QTreeWidget* tv1;
    QLabel* loginuser;
    QLineEdit* oldpwd;
    QLineEdit* newpwd;
    QLabel* Label16;
    QPushButton* LbSpeedButton1;

    void showBalance();
    void copyDatabaseToChosenFile();

    Services& services_;
};

} // namespace parlumo
