#include "service/soap_client.h"

#include "service/http.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace parlumo {

namespace {

const QString kEnvelopeNamespace = QStringLiteral("http://schemas.xmlsoap.org/soap/envelope/");

// XML 1.0 cannot carry most control characters; they are left out of a text parameter.
QString xmlText(const QString& text) {
    QString clean;
    clean.reserve(text.size());
    for (QChar c : text)
        if (c.unicode() >= 0x20 || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            clean += c;
    return clean;
}

} // namespace

QByteArray buildSoapEnvelope(const QString& operation, const QList<SoapParameter>& parameters) {
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.writeStartDocument();
    writer.writeNamespace(kEnvelopeNamespace, QStringLiteral("soap"));
    writer.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("xsi"));
    writer.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema"), QStringLiteral("xsd"));
    writer.writeStartElement(kEnvelopeNamespace, QStringLiteral("Envelope"));
    writer.writeStartElement(kEnvelopeNamespace, QStringLiteral("Body"));
    writer.writeStartElement(operation);
    writer.writeDefaultNamespace(kSoapNamespace);
    for (const SoapParameter& parameter : parameters) {
        if (const auto* text = std::get_if<QString>(&parameter.value))
            writer.writeTextElement(parameter.name, xmlText(*text));
        else
            writer.writeTextElement(parameter.name,
                                    QString::fromLatin1(std::get<QByteArray>(parameter.value).toBase64()));
    }
    writer.writeEndDocument();
    return xml;
}

QString readSoapResult(const QString& operation, const QByteArray& reply) {
    QXmlStreamReader reader(reply);
    const QString response = operation + QStringLiteral("Response");
    const QString result = operation + QStringLiteral("Result");
    bool inResponse = false;
    bool inFault = false;
    QString faultString;
    QString faultCode;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const QStringView name = reader.name();
            if (name == QLatin1String("Fault") && reader.namespaceUri() == kEnvelopeNamespace)
                inFault = true;
            else if (inFault && name == QLatin1String("faultstring"))
                faultString = reader.readElementText();
            else if (inFault && name == QLatin1String("faultcode"))
                faultCode = reader.readElementText();
            else if (name == response)
                inResponse = true;
            else if (inResponse && name == result)
                return reader.readElementText();
        } else if (reader.isEndElement() && reader.name() == response) {
            return QString();
        }
    }
    if (inFault)
        throw SoapError(
            QStringLiteral("SOAP fault: %1").arg(faultString.isEmpty() ? faultCode : faultString));
    if (reader.hasError())
        throw SoapError(QStringLiteral("unreadable SOAP reply: %1").arg(reader.errorString()));
    throw SoapError(QStringLiteral("the SOAP reply holds no %1").arg(response));
}

QString Service1Soap::call(const QString& operation, const QList<SoapParameter>& parameters, HttpTimeouts limits) {
    HttpRequest request;
    request.method = "POST";
    request.url = endpoint_;
    request.timeouts = limits;
    request.userAgent = kSoapUserAgent;
    request.acceptInvalidCertificates = true;
    request.headers = {"Content-Type: text/xml; charset=\"utf-8\"",
                       "SOAPAction: \"" + (kSoapNamespace + operation).toUtf8() + "\""};
    request.body = buildSoapEnvelope(operation, parameters);
    request.cancelled = control_.cancelled;
    request.uploaded = control_.uploaded;
    const HttpResponse response = httpExchange(request);
    // A fault comes with status 500; read it before judging the status.
    try {
        const QString text = readSoapResult(operation, response.body);
        if (response.status >= 200 && response.status < 300)
            return text;
    } catch (const SoapError& error) {
        if (response.status < 200 || response.status >= 300)
            throw SoapError(QStringLiteral("HTTP %1: %2").arg(response.status).arg(error.reason()));
        throw;
    }
    throw SoapError(QStringLiteral("HTTP %1").arg(response.status));
}

QString Service1Soap::GetUserInfo(const QString& uid, const QString& pwd) {
    // A login carries no file: it waits no longer than the other account exchanges.
    return call(QStringLiteral("GetUserInfo"),
                {{QStringLiteral("uid"), uid}, {QStringLiteral("pwd"), pwd}},
                timeouts::kAccount);
}

QString Service1Soap::SendMMS(const QString& uid,
                              const QString& pwd,
                              const QString& mobno,
                              const QString& title,
                              const QString& content,
                              const QByteArray& Bytes,
                              const QString& mmsFileName) {
    return call(QStringLiteral("SendMMS"),
                {{QStringLiteral("uid"), uid},
                 {QStringLiteral("pwd"), pwd},
                 {QStringLiteral("mobno"), mobno},
                 {QStringLiteral("title"), title},
                 {QStringLiteral("content"), content},
                 {QStringLiteral("Bytes"), Bytes},
                 {QStringLiteral("mmsFileName"), mmsFileName}});
}

QString Service1Soap::SendVoice(const QString& uid,
                                const QString& pwd,
                                const QString& vto,
                                const QString& vtxt,
                                const QString& mode,
                                const QByteArray& FileBytes,
                                const QString& svrno,
                                const QString& str_time,
                                const QString& end_time) {
    return call(QStringLiteral("SendVoice"),
                {{QStringLiteral("uid"), uid},
                 {QStringLiteral("pwd"), pwd},
                 {QStringLiteral("vto"), vto},
                 {QStringLiteral("vtxt"), vtxt},
                 {QStringLiteral("mode"), mode},
                 {QStringLiteral("FileBytes"), FileBytes},
                 {QStringLiteral("svrno"), svrno},
                 {QStringLiteral("str_time"), str_time},
                 {QStringLiteral("end_time"), end_time}});
}

QString Service1Soap::SendFax(const QString& uid,
                              const QString& pwd,
                              const QString& faxno,
                              const QString& men,
                              const QString& title,
                              const QByteArray& Bytes,
                              const QString& FileName) {
    return call(QStringLiteral("SendFax"),
                {{QStringLiteral("uid"), uid},
                 {QStringLiteral("pwd"), pwd},
                 {QStringLiteral("faxno"), faxno},
                 {QStringLiteral("men"), men},
                 {QStringLiteral("title"), title},
                 {QStringLiteral("Bytes"), Bytes},
                 {QStringLiteral("FileName"), FileName}});
}

Service1Soap& PrepareSoapClient(Service1Soap& client, const QString& endpoint) {
    client.setEndpoint(endpoint);
    return client;
}

} // namespace parlumo
