#pragma once

#include "bench/number_fixtures.h"
#include "data/contact_rows.h"
#include "data/sql_text.h"
#include "widgets/record_list_model.h"

#include <QList>
#include <QString>

namespace parlumo::bench {

inline const QString kAccount = QStringLiteral("demo");
// The group that the fixture's contacts were imported into.
inline constexpr int kImportGroup = 1;

// Contacts as a user's sheet holds them: a mobile number (one in twenty repeats), one of 100
// names, another phone and a remark.
QList<ContactRow> fixtureContacts();

// The contacts as the address book's export writes them: the header and one contact a row.
void writeContactsWorkbook(const QString& path);

// A database file with the account's contacts, all imported into one group, and as many batches
// in the sent log.
void writeRecordsDatabase(const QString& path);

// The workbook and the database written once per run into a temporary folder that the
// benchmarks share, or those of the folder that the environment's PARLUMO_BENCH_FIXTURES names.
QString sharedWorkbook();
QString sharedRecordsDatabase();

// The lists measured on the records database, as the screens open them.
enum class RecordList { ContactsOfGroup, AllContacts, ContactsByName, ContactsByNumber, SentLog };
inline constexpr RecordList kRecordLists[] = {RecordList::ContactsOfGroup,
                                              RecordList::AllContacts,
                                              RecordList::ContactsByName,
                                              RecordList::ContactsByNumber,
                                              RecordList::SentLog};

struct ListCase {
    QString name; // as the benchmark and its anchor's statement file are named
    RecordListConfig config;
    SqlText statement;
};
ListCase listCase(RecordList which);

// The statement with its bound values written in as SQL literals, as the sqlite3 shell takes it.
QString literalStatement(const SqlText& statement);

// Writes numbers.txt (the memo's numbers, one a line), contacts.xlsx, records.db and one
// "<list>.sql" a list into `folder`, for the anchors.
void writeFixtures(const QString& folder);

} // namespace parlumo::bench
