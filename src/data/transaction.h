#pragma once

#include <QSqlDatabase>

namespace parlumo {

class Database;

// One transaction on the calling thread's connection: begun when constructed, rolled back when
// destroyed without commit(), so a failure midway leaves the tables as they were.
class Transaction {
public:
    // Raises DatabaseError when the transaction cannot begin.
    explicit Transaction(Database& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Raises DatabaseError when the changes cannot be committed; they are rolled back then.
    void commit();

private:
    QSqlDatabase connection_;
    bool pending_ = true;
};

} // namespace parlumo
