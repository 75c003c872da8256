#include "service/soap_client.h"

#include "service/http.h"

#include <QBuffer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>

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

// Bytes go into the envelope as base64 a slice at a time, straight into the output: a 10 MB file
// costs its base64 text once, not again as UTF-16 and as an escaped copy. A slice is a multiple of
// three bytes, so the slices' base64 joined is the base64 of the whole.
constexpr qsizetype kBase64Slice = 3 * 16 * 1024;

void writeBase64(QIODevice& output, const QByteArray& bytes) {
    for (qsizetype at = 0; at < bytes.size(); at += kBase64Slice)
        output.write(QByteArray::fromRawData(bytes.constData() + at, std::min(kBase64Slice, bytes.size() - at)).toBase64());
}

// Room for the whole envelope, so that the output grows once.
qsizetype envelopeCapacity(const QList<SoapParameter>& parameters) {
    qsizetype size = 512;
    for (const SoapParameter& parameter : parameters) {
        size += 2 * parameter.name.size() + 8;
        if (const auto* text = std::get_if<QString>(&parameter.value))
            size += 3 * text->size();
        else
            size += (std::get<QByteArray>(parameter.value).size() + 2) / 3 * 4;
    }
    return size;
}

} // namespace

QByteArray buildSoapEnvelope(const QString& operation, const QList<SoapParameter>& parameters) {
    QByteArray xml;
    xml.reserve(envelopeCapacity(parameters));
    QBuffer output(&xml);
    output.open(QIODevice::WriteOnly);
    QXmlStreamWriter writer(&output);
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
        else {
            writer.writeStartElement(parameter.name);
            writer.writeCharacters(QString()); // closes the start tag before the bytes go out
            writeBase64(output, std::get<QByteArray>(parameter.value));
            writer.writeEndElement();
        }
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

QString Service1Soap::call(const QString& operation, const QList<SoapParameter>& parameters, HttpLimits limits) {
    HttpRequest request;
    request.method = "POST";
    request.url = endpoint_;
    request.limits = limits;
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
                limits::kAccount);
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
