#pragma once

#include <QString>
#include <QThread>
#include <atomic>
#include <chrono>

namespace parlumo {

class AccountState;
class Database;

// What the send job reads from the compose screen when it starts (copied on the user-interface
// thread, so the job never touches a widget).
struct SendJobInputs {
    QString numbersText;
    QString content;
    int total = 0;        // T, the figure in hm
    int parts = 0;        // P, the figure in sendno
    int billingSize = 0;  // the figure in maxsmstxt; read, not used further
    QString time;         // "yyyy-MM-dd HH:mm:00" for a scheduled send, else empty
    QString gatewayUrl;
    std::chrono::milliseconds pause{1000};  // after each posted batch
};

inline constexpr int kBatchSize = 5000;

// The batch count for T numbers: T div 5000, plus one for a remainder.
int batchCount(int total);

// The line for a refusal of the gateway, by the reply's first characters.
QString refusalLine(const QString& reply);

// The SMS send job: checks the inputs and the balance, posts the numbers to the gateway in
// batches of 5000, logs each accepted or failed batch in `send`, reports every step and lowers
// the balance. Every change of the screen goes out as a signal, received in order on the
// user-interface thread.
class SendsmsThread : public QThread {
    Q_OBJECT
public:
    SendsmsThread(SendJobInputs inputs, AccountState& account, Database& database, QObject* parent = nullptr);
    ~SendsmsThread() override;

    // Ends the job at the next step (the program is closing) and waits for it.
    void cancel();

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
    void logBatch(const QString& numbers, int count, const QString& tag);
    void pause();

    SendJobInputs inputs_;
    AccountState& account_;
    Database& database_;
    std::atomic<bool> cancelled_{false};
};

} // namespace parlumo
