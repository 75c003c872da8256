// The login replies: the HTTP record ("|"), the SOAP record ("/") taken from a GetUserInfo
// response, and the balance refresh, applied the way the login screen applies them.

#include "core/account_state.h"
#include "fuzz/fuzz_input.h"
#include "login/login_reply.h"
#include "service/replies.h"
#include "service/soap_client.h"
#include "text/gbk.h"
#include "text/split_fields.h"

using namespace parlumo;

namespace {

template <typename Apply> void applyAccepted(const QStringList& fields, Apply apply) {
    AccountState account(QStringLiteral("http://127.0.0.1:8080"));
    try {
        if (fieldAt(fields, 0) != codes::kSuccess) {
            httpLoginRefusal(fieldAt(fields, 0));
            soapLoginRefusal(fieldAt(fields, 0));
            return;
        }
        apply(account);
    } catch (const FieldError&) {
    }
    account.get();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytes(data, size);
    const QString u = QStringLiteral("demo"), p = QStringLiteral("demo2026");

    const QStringList http = splitRecord(fromGbk(bytes), QLatin1Char('|'));
    applyAccepted(http, [&](AccountState& account) { applyHttpLogin(http, account, u, p); });
    applyAccepted(http, [&](AccountState& account) { applyBalanceRefresh(http, account, u); });
    restoredLastText(fromGbk(bytes));

    QString soapReply = QString::fromUtf8(bytes);
    try {
        soapReply = readSoapResult(QStringLiteral("GetUserInfo"), bytes);
    } catch (const SoapError&) {
    }
    const QStringList soap = splitRecord(fromGbk(toGbk(soapReply)), QLatin1Char('/'));
    applyAccepted(soap, [&](AccountState& account) { applySoapLogin(soap, account, u, p); });
    return 0;
}
