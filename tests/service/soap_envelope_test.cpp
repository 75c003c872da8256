#include "service/soap_client.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace parlumo {
namespace {

TEST(SoapEnvelope, HoldsTheOperationInItsNamespaceWithParametersInOrder) {
    const QByteArray xml = buildSoapEnvelope("SendMMS",
                                             {{"uid", QString("demo")},
                                              {"title", QString::fromUtf8("标题 <&>")},
                                              {"Bytes", QByteArray("\x00\x01\xFF", 3)},
                                              {"mmsFileName",
                                               QString("a\x01"
                                                       "b.jpg")}});
    EXPECT_EQ(xml,
              QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                         "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                         "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                         "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\">"
                         "<soap:Body><SendMMS xmlns=\"http://tempuri.org/\">"
                         "<uid>demo</uid><title>\xE6\xA0\x87\xE9\xA2\x98 &lt;&amp;&gt;</title>"
                         "<Bytes>AAH/</Bytes><mmsFileName>ab.jpg</mmsFileName>"
                         "</SendMMS></soap:Body></soap:Envelope>\n"));
}

// The text of the envelope's element `name`.
QString elementText(const QByteArray& xml, const QString& name) {
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == name)
            return reader.readElementText();
    return QStringLiteral("<missing>");
}

// Bytes are written as base64 in slices of 48 KiB: sizes on both sides of a slice's end, and
// of a few slices, come back whole, with every byte value and the text after them intact.
TEST(SoapEnvelope, CarriesBytesOfAnySizeAsTheirBase64) {
    constexpr qsizetype kSlice = 3 * 16 * 1024;
    for (const qsizetype size : {qsizetype(0), qsizetype(1), qsizetype(2), kSlice - 1, kSlice, kSlice + 1, 3 * kSlice + 2}) {
        QByteArray bytes(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i)
            bytes[i] = static_cast<char>((i * 7) % 256);
        const QByteArray xml = buildSoapEnvelope("SendFax", {{"Bytes", bytes}, {"FileName", QString("a.pdf")}});
        EXPECT_EQ(QByteArray::fromBase64(elementText(xml, "Bytes").toLatin1()), bytes) << size;
        EXPECT_EQ(elementText(xml, "Bytes").size(), (size + 2) / 3 * 4) << size;
        EXPECT_EQ(elementText(xml, "FileName"), QStringLiteral("a.pdf")) << size;
    }
}

TEST(SoapResult, ReadsTheResultOrRaisesTheReason) {
    const QByteArray ok =
        "<?xml version=\"1.0\"?><soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">"
        "<soap:Body><GetUserInfoResponse xmlns=\"http://tempuri.org/\"><GetUserInfoResult>"
        "000/x/12.5/0.1/60</GetUserInfoResult></GetUserInfoResponse></soap:Body></soap:Envelope>";
    EXPECT_EQ(readSoapResult("GetUserInfo", ok), QStringLiteral("000/x/12.5/0.1/60"));

    const QByteArray empty =
        "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
        "<SendFaxResponse xmlns=\"http://tempuri.org/\"/></soap:Body></soap:Envelope>";
    EXPECT_EQ(readSoapResult("SendFax", empty), QString());

    const QByteArray fault =
        "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
        "<soap:Fault><faultcode>soap:Server</faultcode><faultstring>boom</faultstring>"
        "</soap:Fault></soap:Body></soap:Envelope>";
    const struct {
        const char* name;
        QByteArray reply;
        const char* reason;
    } failures[] = {
        {"fault", fault, "boom"},
        {"html", "<html><body>Service Unavailable</body></html>", "GetUserInfoResponse"},
        {"plain text", "000/x/1", "unreadable"},
        {"other operation", ok, "SendMMSResponse"},
    };
    for (const auto& f : failures) {
        const char* op = QByteArray(f.name) == "other operation" ? "SendMMS" : "GetUserInfo";
        try {
            readSoapResult(op, f.reply);
            ADD_FAILURE() << f.name;
        } catch (const SoapError& error) {
            EXPECT_TRUE(error.reason().contains(f.reason)) << f.name << ": " << error.what();
        }
    }
}

} // namespace
} // namespace parlumo
