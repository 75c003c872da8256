#include "contacts/address_book_screen.h"

#include "core/account_state.h"
#include "core/services.h"
#include "data/database.h"
#include "toolkit/screen_setup.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

namespace parlumo {

TForm4::TForm4(Services& services, QWidget* parent) : QWidget(parent), services_(services) {
    nameScreen(this, QStringLiteral("TForm4"), QStringLiteral("名片夹"));
    // The current group's number; 0 (no group) until a group of the tree is selected.
    lblNodeIndex = named(new QLabel(QStringLiteral("0"), this), QStringLiteral("lblNodeIndex"));
    lblNodeIndex->hide();
    btexin = named(new QPushButton(QStringLiteral("Excel 导入"), this), QStringLiteral("btexin"));
    btexin->setAutoDefault(false);
    connect(btexin, &QPushButton::clicked, this, [this] {
        Q_EMIT spreadsheetImportRequested(QStringLiteral("form4"));
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btexin);
    buttons->addStretch();
    auto* column = new QVBoxLayout(this);
    column->addLayout(buttons);
    column->addStretch();
}

void TForm4::appendContacts(const QList<ContactRow>& rows, bool* stored) {
    const QString uid = services_.account->get().uid.trimmed();
    const qint64 tid = lblNodeIndex->text().trimmed().toLongLong();
    try {
        insertContactRows(*services_.database, uid, tid, rows);
        *stored = true;
    } catch (const DatabaseError& error) {
        // The import reports the failure to the user; the reason is for whoever looks closer.
        std::fprintf(stderr, "address book: %s\n", qPrintable(error.reason()));
        *stored = false;
    }
}

} // namespace parlumo
