#pragma once

#include "service/query.h"

#include <QString>
#include <QStringList>

namespace parlumo {

class AccountState;

// The longest balance or price a login reply may hold ("000000.00" is the usual width).
inline constexpr qsizetype kMaxMoneyChars = 32;

// The demo password that guest mode puts into the password box.
inline const QString kGuestPassword = QStringLiteral("guest");

// The login page's address for an identifier and a password (the HTTP login and the balance
// refresh ask it).
QueryUrl httpLoginUrl(const QString& host, const QString& uid, const QString& pwd);

// Reads the login page's reply: a refusal gives its message and leaves the account alone; an
// accepted reply goes into the account (applyHttpLogin) and gives a null text. A reply with too
// few fields, which is what an unreachable service gives, raises FieldError.
QString readHttpLogin(const QString& reply, AccountState& account, const QString& uid, const QString& pwd);

// The message of an HTTP login that got no usable reply.
QString httpConnectionMessage();

// The message of a refused HTTP login, by its result code.
QString httpLoginRefusal(const QString& code);
// The message of a refused SOAP login; empty for the codes that show nothing.
QString soapLoginRefusal(const QString& code);

// Applies an accepted HTTP login reply ("|" record) to the account, field by field in the
// reply's order. A missing field, or a balance or price that is not a decimal number, raises
// FieldError; the fields copied before it stay.
void applyHttpLogin(const QStringList& fields, AccountState& account, const QString& uid, const QString& pwd);

// Applies an accepted GetUserInfo reply ("/" record): balance, SMS price as sent, characters per
// SMS. A missing field, or a balance or price that is not a decimal number, raises FieldError
// before anything changes.
void applySoapLogin(const QStringList& fields, AccountState& account, const QString& uid, const QString& pwd);

// Applies an accepted balance refresh: the balance, the prices and the SOAP endpoint; the
// characters per SMS and the schedule right stay. Raises FieldError as applyHttpLogin does.
void applyBalanceRefresh(const QStringList& fields, AccountState& account, const QString& uid);

// The guest login: identifier "guest", balance "0", SMS price "0.1", and for the HTTP way the
// MMS price "0.3"; the other fields keep their values.
void applyGuestLogin(AccountState& account, bool httpWay);

// "lasttxt" as the HTTP login restores it: trimmed, line feeds removed, carriage returns as ",".
QString restoredLastText(const QString& lasttxt);

} // namespace parlumo
