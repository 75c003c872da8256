// The SOAP result reader on any reply, and on a well-formed response around any result text.

#include "fuzz/fuzz_input.h"
#include "service/soap_client.h"

#include <QXmlStreamWriter>

using namespace parlumo;

namespace {

const QStringList kOperations{"GetUserInfo", "SendMMS", "SendVoice", "SendFax"};

QByteArray responseHolding(const QString& operation, const QString& result) {
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.writeStartDocument();
    writer.writeNamespace(QStringLiteral("http://schemas.xmlsoap.org/soap/envelope/"), QStringLiteral("soap"));
    writer.writeStartElement(QStringLiteral("http://schemas.xmlsoap.org/soap/envelope/"), QStringLiteral("Envelope"));
    writer.writeStartElement(QStringLiteral("http://schemas.xmlsoap.org/soap/envelope/"), QStringLiteral("Body"));
    writer.writeStartElement(QStringLiteral("http://tempuri.org/"), operation + QStringLiteral("Response"));
    writer.writeTextElement(QStringLiteral("http://tempuri.org/"), operation + QStringLiteral("Result"), result);
    writer.writeEndDocument();
    return xml;
}

// XML 1.0 holds no other control characters, and its parsers hand line breaks over as LF.
bool travelsInXml(const QString& text) {
    for (QChar c : text)
        if ((c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n')) || c.unicode() == 0xFFFE ||
            c.unicode() == 0xFFFF)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray reply = fuzz::bytes(data, size);
    const QString operation = kOperations[size % kOperations.size()];
    try {
        readSoapResult(operation, reply);
    } catch (const SoapError&) {
    }
    const QString result = QString::fromUtf8(reply);
    if (travelsInXml(result))
        fuzz::require(readSoapResult(operation, responseHolding(operation, result)) == result,
                      "a response's result text reads back whole");
    return 0;
}
