#pragma once

#include <QString>
#include <stdexcept>

namespace parlumo {

// The error that a failed exchange, statement or file operation raises; it carries the reason
// for the handler of the user's action to show or swallow.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& reason) : std::runtime_error(reason.toStdString()), reason_(reason) {}
    const QString& reason() const { return reason_; }

private:
    QString reason_;
};

} // namespace parlumo
