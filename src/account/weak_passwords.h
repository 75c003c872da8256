#pragma once

#include <QString>

namespace parlumo {

// Passwords too simple to accept: runs and repeats of digits, and a run of neighbouring letter
// keys typed twice. The test is a plain substring test against the whole text, commas included.
inline const QString kWeakPasswords = QStringLiteral(
    "0123456789,9876543210,000000,111111,222222,333333,444444,555555,666666,777777,888888,999999,"
    "112233,123123,12321,qweqwe");

inline bool isWeakPassword(const QString& password) {
    return !password.isEmpty() && kWeakPasswords.contains(password);
}

} // namespace parlumo
