#pragma once

#include <QString>
#include <mutex>

namespace parlumo {

// The fields of the logged-in account, as texts the service sent.
struct AccountFields {
    QString uid;
    QString pwd;
    QString money = QStringLiteral("000000.00");
    QString dj = QStringLiteral("0.1");
    QString cdj = QStringLiteral("0.3");
    QString vdj = QStringLiteral("0.2");
    QString fdj = QStringLiteral("0.3");
    QString MaxSmsChars = QStringLiteral("60");
    QString service_url;
    bool CanSchedule = false;
};

// The logged-in account, shared by every screen and read by the send job's thread: every read
// and write goes through the lock.
class AccountState {
public:
    explicit AccountState(const QString& defaultServiceUrl) { fields_.service_url = defaultServiceUrl; }

    AccountFields get() const {
        std::lock_guard lock(mutex_);
        return fields_;
    }
    template <typename Change> void change(Change&& apply) {
        std::lock_guard lock(mutex_);
        apply(fields_);
    }

private:
    mutable std::mutex mutex_;
    AccountFields fields_;
};

} // namespace parlumo
