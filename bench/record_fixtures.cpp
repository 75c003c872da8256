#include "bench/record_fixtures.h"

#include "contacts/address_book_rules.h"
#include "data/database.h"
#include "data/spreadsheet_writer.h"
#include "data/transaction.h"
#include "sms/sent_log_queries.h"
#include "text/error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace parlumo::bench {

namespace {

const QString kWorkbookFile = QStringLiteral("contacts.xlsx");
const QString kDatabaseFile = QStringLiteral("records.db");

// One contact in a hundred is named "王芳".
const QString kNameKey = QStringLiteral("王芳");
const QString kNumberKey = QStringLiteral("888");

void fillSentLog(Database& database) {
    const QStringList numbers = mobileNumbers(kFixtureRows);
    Transaction transaction(database);
    for (int i = 0; i < kFixtureRows; ++i)
        database.execute(SqlText(QStringLiteral("insert into send (uid,mobno,num,msg,tag) values ("))
                             .value(kAccount)
                             .add(QStringLiteral(","))
                             .value(numbers[i])
                             .add(QStringLiteral(",1,"))
                             .value(QStringLiteral("您好，这是第%1条测试短信内容。").arg(i))
                             .add(QStringLiteral(","))
                             .value(statusWord(sent_status::kAccepted))
                             .add(QStringLiteral(")")));
    transaction.commit();
}

void writeText(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0)
        throw Error(QStringLiteral("cannot write ") + path);
}

// A file written once per run into a temporary folder that the benchmarks share, or taken from
// the folder that PARLUMO_BENCH_FIXTURES names (written by writeFixtures).
QString sharedFile(const QString& fileName, void (*write)(const QString&)) {
    const QString given = qEnvironmentVariable("PARLUMO_BENCH_FIXTURES");
    if (!given.isEmpty())
        return QDir(given).filePath(fileName);
    static const QTemporaryDir folder;
    const QString path = folder.filePath(fileName);
    if (!QFile::exists(path))
        write(path);
    return path;
}

} // namespace

QList<ContactRow> fixtureContacts() {
    const QStringList surnames{"王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周"};
    const QStringList givenNames{"伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "洋", "艳"};
    const QStringList numbers = mobileNumbers(kFixtureRows);
    QList<ContactRow> contacts;
    contacts.reserve(kFixtureRows);
    for (int i = 0; i < kFixtureRows; ++i)
        contacts.append({numbers[i],
                         surnames[i % 10] + givenNames[i / 10 % 10],
                         QStringLiteral("010-6%1").arg(i, 7, 10, QLatin1Char('0')),
                         QStringLiteral("老客户")});
    return contacts;
}

void writeContactsWorkbook(const QString& path) {
    QList<QStringList> rows;
    rows.reserve(kFixtureRows);
    for (const ContactRow& c : fixtureContacts())
        rows.append({c.mobno, c.tname, c.othertel, c.memo});
    writeSpreadsheet(path,
                     {QStringLiteral("手机号码"),
                      QStringLiteral("姓名"),
                      QStringLiteral("其它联系方式"),
                      QStringLiteral("备注")},
                     rows);
}

void writeRecordsDatabase(const QString& path) {
    Database database(path);
    insertContactRows(database, kAccount, kImportGroup, fixtureContacts());
    fillSentLog(database);
}

QString sharedWorkbook() {
    return sharedFile(kWorkbookFile, writeContactsWorkbook);
}

QString sharedRecordsDatabase() {
    return sharedFile(kDatabaseFile, writeRecordsDatabase);
}

ListCase listCase(RecordList which) {
    switch (which) {
    case RecordList::ContactsOfGroup:
        return {QStringLiteral("contacts_of_group"), contactList(), contactsOfGroup(kAccount, kImportGroup)};
    case RecordList::AllContacts:
        return {QStringLiteral("all_contacts"), contactList(), contactsOfGroup(kAccount, 0)};
    case RecordList::ContactsByName:
        return {QStringLiteral("contacts_by_name"), contactList(), contactSearch(kAccount, true, kNameKey)};
    case RecordList::ContactsByNumber:
        return {
            QStringLiteral("contacts_by_number"), contactList(), contactSearch(kAccount, false, kNumberKey)};
    case RecordList::SentLog:
        return {
            QStringLiteral("sent_log"), sentLogList(), sentByStatusStatement(kAccount, sent_status::kAll)};
    }
    return {};
}

QString literalStatement(const SqlText& statement) {
    QString text;
    qsizetype next = 0;
    for (const QChar c : statement.text()) {
        if (c != QLatin1Char('?')) {
            text += c;
            continue;
        }
        const QVariant& value = statement.values().at(next++);
        if (value.typeId() == QMetaType::QString)
            text += QLatin1Char('\'') + value.toString().replace(QLatin1Char('\''), QStringLiteral("''")) +
                    QLatin1Char('\'');
        else
            text += value.toString();
    }
    return text;
}

void writeFixtures(const QString& folder) {
    const QDir dir(folder);
    writeText(dir.filePath(QStringLiteral("numbers.txt")), memoOfNumbers(kFixtureRows) + QLatin1Char('\n'));
    writeContactsWorkbook(dir.filePath(kWorkbookFile));
    writeRecordsDatabase(dir.filePath(kDatabaseFile));
    for (RecordList which : kRecordLists) {
        const ListCase list = listCase(which);
        writeText(dir.filePath(list.name + QStringLiteral(".sql")), literalStatement(list.statement) + ";\n");
    }
}

} // namespace parlumo::bench
