#pragma once

#include "text/decimal.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QTime>
#include <atomic>
#include <chrono>

namespace parlumo {

struct AccountFields;
class AccountState;
class Database;

// What the send job reads from the compose screen when it starts (copied on the user-interface
// thread, so the job never touches a widget).
struct SendJobInputs {
    QString numbersText;
    QString content;
    int total = 0;       // T, the figure in hm
    int parts = 0;       // P, the figure in sendno
    int billingSize = 0; // the figure in maxsmstxt; read, not used further
    QString time;        // "yyyy-MM-dd HH:mm:00" for a scheduled send, else empty
    QString gatewayUrl;
    std::chrono::milliseconds pause{1000}; // after each posted batch
};

inline constexpr int kBatchSize = 5000;

// The SMS gateway on the service host.
QString gatewayUrl(const QString& host);

// The `time` field of a send scheduled for a day and a time of day: "yyyy-MM-dd HH:mm:00".
QString scheduledTime(QDate day, QTime time);

// The price of `billed` messages at the account's SMS unit price; raises Error when the price is
// not an amount.
Decimal costOf(const AccountFields& account, long long billed);
// The balance pays for `billed` messages (a balance equal to the cost does).
bool balanceCovers(const AccountFields& account, long long billed);

// The numbers text as the job splits it into its list: blanks and "'" removed, then the
// delimited-list rule with "," as separator.
QStringList sendNumberList(const QString& numbersText);

// The batch count for T numbers: T div 5000, plus one for a remainder.
int batchCount(int total);

// The line for a refusal of the gateway, by the reply's first characters.
QString refusalLine(const QString& reply);

// One batch: the numbers at its positions that have 10 to 12 characters, trimmed and joined by
// ",", and how many they are.
struct Batch {
    QString numbers;
    int count = 0;
};
// Batch `index` (from 1) of a list whose count field said `total`: positions 5000 x (index - 1)
// to 5000 x index - 1 (to total - 1 when total is 5000 or less); positions past the list's end are
// skipped.
Batch batchAt(const QStringList& list, int total, int index);

// The gateway's form fields for one batch, in their order, each value encoded once.
QStringList gatewayFields(const QString& uid,
                          const QString& pwd,
                          const QString& numbers,
                          const QString& content,
                          const QString& time);

// How a send job ended.
enum class SendOutcome {
    Sent,           // every batch accepted
    MissingInput,   // no numbers or no content: nothing posted
    BalanceTooLow,  // the balance does not pay for the send: nothing posted
    Refused,        // the gateway refused a batch; the job ended there
    NetworkFailure, // the job went through, but one batch or more could not be posted
    Stopped,        // ended early: cancelled, or an unexpected error (a batch that cannot be logged)
};

// The SMS send job: checks the inputs and the balance, posts the numbers to the gateway in
// batches of 5000, logs each accepted or failed batch in `send`, reports every step and lowers
// the balance. Every change of the screen goes out as a signal, received in order on the
// user-interface thread.
class SendsmsThread : public QThread {
    Q_OBJECT
public:
    SendsmsThread(SendJobInputs inputs, AccountState& account, Database& database, QObject* parent = nullptr);
    ~SendsmsThread() override;

    // Ends the job at once, abandoning a batch on its way, and waits for it.
    void cancel();
    // Ends the job once the batch on its way has been answered and logged (the program is
    // closing), and waits for it: a batch the gateway took is never left unrecorded.
    void finishBatchThenStop();
    // How the job ended; read once it has.
    SendOutcome outcome() const { return outcome_; }

Q_SIGNALS:
    void begun();
    void lineAdded(const QString& line);
    void progressed(int posted, int total);
    void balanceLowered(const QString& balance);
    // The job completed; the numbers it read may be cleared from the memo.
    void numbersSent(const QString& numbersRead);
    void ended();

protected:
    void run() override;

private:
    void runJob();
    QString postBatch(const QString& numbers);
    void reportProgress(int index);
    void logBatch(const QString& numbers, int count, const QString& tag);
    // Lowers the balance by the batches the gateway accepted, once.
    Decimal chargeAccepted();
    void pause();

    SendJobInputs inputs_;
    AccountState& account_;
    Database& database_;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> stopping_{false}; // no further batch; set by both ways of ending early
    std::atomic<SendOutcome> outcome_{SendOutcome::Stopped};
    long long accepted_ = 0; // numbers in the batches the gateway accepted
    bool charged_ = false;
};

} // namespace parlumo
