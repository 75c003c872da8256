#pragma once

#include "data/contact_rows.h"

#include <QList>
#include <QWidget>

class QLabel;
class QPushButton;

namespace parlumo {

struct Services;

// "名片夹": the address book in its tree of groups.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(Services& services, QWidget* parent = nullptr);

public Q_SLOTS:
    // Contacts handed over by the spreadsheet import join the account and the current group
    // (`lblNodeIndex`), all in one transaction; *stored tells the import whether they are in.
    void appendContacts(const QList<ContactRow>& rows, bool* stored);

Q_SIGNALS:
    // "Excel 导入": the spreadsheet import opens for this screen's mode word.
    void spreadsheetImportRequested(const QString& actionpg);

private:
    QLabel* lblNodeIndex;
    QPushButton* btexin;

    Services& services_;
};

} // namespace parlumo
