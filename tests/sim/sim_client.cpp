#include "sim_client.h"

namespace parlumo::sim::test {
namespace {

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '&')
            out += "&amp;";
        else
            out += c;
    }
    return out;
}

std::string unescaped(std::string text) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, character] : entities) {
        for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
            text.replace(at, std::string(entity).size(), character);
    }
    return text;
}

} // namespace

std::string soapEnvelope(const std::string& operation, const Fields& params) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                      "<SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                      "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
                      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><SOAP-ENV:Body><" +
                      operation + " xmlns=\"http://tempuri.org/\">";
    for (const auto& [name, value] : params)
        xml += "<" + name + ">" + escaped(value) + "</" + name + ">";
    return xml + "</" + operation + "></SOAP-ENV:Body></SOAP-ENV:Envelope>";
}

std::string soapResultText(const std::string& operation, const std::string& envelope) {
    const std::string open = "<" + operation + "Result>";
    const std::size_t start = envelope.find(open);
    const std::size_t end = envelope.find("</" + operation + "Result>");
    if (start == std::string::npos || end == std::string::npos)
        return {};
    return unescaped(envelope.substr(start + open.size(), end - start - open.size()));
}

void SimTest::SetUp() {
    Settings settings = sim.settings();
    settings.replyDelayMs = 0;
    settings.progressPerPoll = 2;
    sim.setSettings(settings);
    sim.start(0);
}

httplib::Client SimTest::client() const {
    httplib::Client c("127.0.0.1", sim.port());
    c.set_url_encode(false);
    return c;
}

std::string SimTest::get(const std::string& target) const {
    const httplib::Result result = client().Get(target);
    if (!result) {
        ADD_FAILURE() << "GET " << target << " failed: " << httplib::to_string(result.error());
        return {};
    }
    EXPECT_EQ(result->status, 200) << target;
    return result->body;
}

std::string SimTest::postForm(const std::string& path, const std::string& body) const {
    const httplib::Result result = client().Post(path, body, "application/x-www-form-urlencoded");
    if (!result) {
        ADD_FAILURE() << "POST " << path << " failed: " << httplib::to_string(result.error());
        return {};
    }
    EXPECT_EQ(result->status, 200) << path;
    return result->body;
}

httplib::Result SimTest::postSoap(const std::string& operation,
                                  const std::string& envelope,
                                  const std::string& contentType) const {
    const httplib::Headers headers = {{"SOAPAction", "\"http://tempuri.org/" + operation + "\""}};
    return client().Post("/Service.asmx", headers, envelope, contentType);
}

std::string SimTest::soap(const std::string& operation, const Fields& params) const {
    const httplib::Result result = postSoap(operation, soapEnvelope(operation, params));
    if (!result) {
        ADD_FAILURE() << "SOAP " << operation << " failed: " << httplib::to_string(result.error());
        return {};
    }
    EXPECT_EQ(result->status, 200) << result->body;
    return soapResultText(operation, result->body);
}

std::string SimTest::balance(const std::string& id) const {
    const std::optional<Account> account = sim.account(id);
    return account ? account->balance.toString() : std::string("(no account)");
}

} // namespace parlumo::sim::test
