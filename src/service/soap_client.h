#pragma once

#include "service/http.h"
#include "text/error.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <functional>
#include <variant>

namespace parlumo {

class SoapError : public Error {
public:
    using Error::Error;
};

// One parameter of an operation: a text, or a byte array that travels as base64.
struct SoapParameter {
    QString name;
    std::variant<QString, QByteArray> value;
};

inline const QString kSoapNamespace = QStringLiteral("http://tempuri.org/");
inline const QByteArray kSoapUserAgent = "Borland SOAP 1.2";

// The SOAP 1.1 envelope of a document-style call: the operation's element in the namespace
// "http://tempuri.org/" with the parameters as child elements in order, UTF-8.
QByteArray buildSoapEnvelope(const QString& operation, const QList<SoapParameter>& parameters);

// The text of the operation's result element. A SOAP fault, or a reply that holds no response
// to the operation, raises SoapError with the reason.
QString readSoapResult(const QString& operation, const QByteArray& reply);

// How a client's calls run when a worker makes them: the flag that abandons a call, and where the
// upload's progress goes.
struct SoapCallControl {
    const std::atomic<bool>* cancelled = nullptr;
    std::function<void(qint64 sent, qint64 total)> uploaded;
};

// The client of the service's SOAP interface. Only the operations that the program calls exist.
class Service1Soap {
public:
    void setEndpoint(const QString& endpoint) { endpoint_ = endpoint; }
    const QString& endpoint() const { return endpoint_; }
    void setCallControl(SoapCallControl control) { control_ = std::move(control); }

    QString GetUserInfo(const QString& uid, const QString& pwd);
    QString SendMMS(const QString& uid,
                    const QString& pwd,
                    const QString& mobno,
                    const QString& title,
                    const QString& content,
                    const QByteArray& Bytes,
                    const QString& mmsFileName);
    QString SendVoice(const QString& uid,
                      const QString& pwd,
                      const QString& vto,
                      const QString& vtxt,
                      const QString& mode,
                      const QByteArray& FileBytes,
                      const QString& svrno,
                      const QString& str_time,
                      const QString& end_time);
    QString SendFax(const QString& uid,
                    const QString& pwd,
                    const QString& faxno,
                    const QString& men,
                    const QString& title,
                    const QByteArray& Bytes,
                    const QString& FileName);

private:
    QString call(const QString& operation,
                 const QList<SoapParameter>& parameters,
                 HttpLimits limits = limits::kSoap);

    QString endpoint_;
    SoapCallControl control_;
};

// Points the shared client at the endpoint right before a call, so a changed address takes
// effect at the next call.
Service1Soap& PrepareSoapClient(Service1Soap& client, const QString& endpoint);

} // namespace parlumo
