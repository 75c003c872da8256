#include "sim/simulator.h"

#include "sim/ascii_text.h"
#include "sim/connection_end.h"
#include "sim/control_api.h"
#include "sim/form_params.h"
#include "sim/request_log.h"
#include "sim/script_book.h"
#include "sim/service.h"
#include "sim/soap.h"

#include <httplib.h>
#include <netinet/tcp.h>

#include <atomic>
#include <condition_variable>
#include <csignal>
#include <stdexcept>
#include <thread>

namespace parlumo::sim {
namespace {

constexpr const char* kHost = "127.0.0.1";
constexpr std::string_view kControlPrefix = "/__sim/";

bool isSoapPath(std::string_view path) {
    return asciiLower(path).ends_with("/service.asmx");
}

bool isFormBody(const httplib::Request& request) {
    return asciiLower(request.get_header_value("Content-Type"))
        .starts_with("application/x-www-form-urlencoded");
}

// Names the HTTP server adds to the headers of a request; they never came over the wire.
bool isServerNote(const std::string& name) {
    return name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" || name == "LOCAL_PORT";
}

HttpReply plain(int status, std::string text) {
    return {status, std::move(text), "text/plain; charset=utf-8"};
}

HttpReply serviceDescription() {
    return {200,
            "<html><body><h1>Service1</h1><p>SOAP 1.1 operations: GetUserInfo, SendMMS, SendVoice, SendFax "
            "(namespace http://tempuri.org/).</p></body></html>",
            "text/html; charset=utf-8"};
}

HttpReply scriptedAnswer(const ScriptedReply& script, bool soapPath, const std::string& operation) {
    HttpReply reply;
    if (script.soapFault) {
        reply = soapFault("soap:Server", *script.soapFault);
    } else if (script.soapResult) {
        reply = soapResult(operation.empty() ? "Unknown" : operation, *script.soapResult);
    } else {
        reply.body = script.body.value_or(std::string{});
        reply.contentType = soapPath ? kSoapType : kGbkTextType;
    }
    if (script.status)
        reply.status = *script.status;
    if (!script.contentType.empty())
        reply.contentType = script.contentType;
    return reply;
}

} // namespace

struct Simulator::Impl {
    Impl(Simulator& owner, const SimulatorOptions& options)
        : service(options.stateDir), log(options.logFile), control(owner) {}

    void serve(const httplib::Request& request, const std::string& body, httplib::Response& response);
    HttpReply answer(const ServiceRequest& request, const std::optional<SoapCall>& call, bool soapPath);
    void waitFor(std::chrono::milliseconds delay);

    Service service;
    ScriptBook scripts;
    RequestLog log;
    ControlApi control;

    std::unique_ptr<httplib::Server> server;
    std::thread thread;
    std::atomic<int> port{0};
    std::atomic<bool> listenerDone{false};
    std::mutex waitMutex;
    std::condition_variable wake;
    bool stopping = false;
};

void Simulator::Impl::serve(const httplib::Request& request,
                            const std::string& body,
                            httplib::Response& response) {
    const std::size_t mark = request.target.find('?');
    const std::string rawPath = request.target.substr(0, mark);
    const std::string rawQuery = mark == std::string::npos ? std::string{} : request.target.substr(mark + 1);

    HttpReply reply;
    if (request.path.starts_with(kControlPrefix)) {
        reply = control.handle(request.method, request.path, FormParams::parse(rawQuery), body);
        response.status = reply.status;
        response.set_content(reply.body, reply.contentType);
        return;
    }

    RecordedRequest record;
    record.method = request.method;
    record.path = rawPath;
    record.query = rawQuery;
    record.body = body;
    for (const auto& [name, value] : request.headers)
        if (!isServerNote(name))
            record.headers.push_back({name, value});

    ServiceRequest serviceRequest{request.method,
                                  request.path,
                                  FormParams::parse(rawQuery),
                                  isFormBody(request) ? FormParams::parse(body) : FormParams{}};
    for (const auto& [name, value] : serviceRequest.query.fields())
        record.params.push_back({name, value});
    for (const auto& [name, value] : serviceRequest.form.fields())
        record.params.push_back({name, value});

    const bool soapPath = isSoapPath(request.path);
    std::optional<SoapCall> call;
    std::optional<HttpReply> refused;
    if (soapPath && request.method == "POST") {
        if (!isSoapContentType(request.get_header_value("Content-Type"))) {
            refused = plain(415, "Unsupported Media Type: SOAP 1.1 requests are text/xml; charset=utf-8.");
        } else {
            try {
                call = parseSoapEnvelope(body);
                record.soapOperation = call->operation;
                record.soapParams = call->params;
                checkSoapAction(request.get_header_value("SOAPAction"), *call);
            } catch (const SoapFault& fault) {
                refused = soapFault(fault.code(), fault.what());
            }
        }
    }

    const std::string operation = call ? call->operation : std::string{};
    const std::optional<ScriptedReply> script = scripts.take(request.path, operation);
    if (script && script->delay.count() > 0)
        waitFor(script->delay);
    if (script && (script->drop || script->reset)) {
        log.add(std::move(record));
        if (script->reset)
            resetConnection(request.local_port, request.remote_port);
        else
            dropConnection(request.local_port, request.remote_port);
        return;
    }

    if (script && script->replacesAnswer())
        reply = scriptedAnswer(*script, soapPath, operation);
    else if (refused)
        reply = *refused;
    else
        reply = answer(serviceRequest, call, soapPath);

    record.status = reply.status;
    log.add(std::move(record));
    response.status = reply.status;
    response.set_content(reply.body, reply.contentType);
}

HttpReply
Simulator::Impl::answer(const ServiceRequest& request, const std::optional<SoapCall>& call, bool soapPath) {
    if (soapPath) {
        if (request.method == "GET")
            return serviceDescription();
        if (!call)
            return plain(405, "Method Not Allowed");
        try {
            return soapResult(call->operation, service.call(*call));
        } catch (const SoapFault& fault) {
            return soapFault(fault.code(), fault.what());
        }
    }
    if (std::optional<HttpReply> page = service.page(request))
        return *page;
    return {404, "<html><body><h1>404 Not Found</h1></body></html>", "text/html; charset=utf-8"};
}

void Simulator::Impl::waitFor(std::chrono::milliseconds delay) {
    std::unique_lock lock(waitMutex);
    wake.wait_for(lock, delay, [this] { return stopping; });
}

Simulator::Simulator(SimulatorOptions options) : impl_(std::make_unique<Impl>(*this, options)) {}

Simulator::~Simulator() {
    stop();
}

int Simulator::start(int port) {
    if (impl_->server)
        throw std::logic_error("the simulator is already running");
    // Writing to a connection the peer closed must fail, not end the process.
    std::signal(SIGPIPE, SIG_IGN);

    auto server = std::make_unique<httplib::Server>();
    server->set_keep_alive_timeout(1);
    // SO_REUSEADDR without the server's default SO_REUSEPORT, which would let a second
    // simulator share a port in use and take part of its connections. TCP_NODELAY keeps a
    // kept-alive client from waiting on a delayed acknowledgement for each answer.
    server->set_socket_options([](socket_t sock) {
        const int on = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    });
    const auto guarded = [this](const httplib::Request& request,
                                const std::string& body,
                                httplib::Response& response) {
        try {
            impl_->serve(request, body, response);
        } catch (const std::exception& e) {
            response.status = 500;
            response.set_content(std::string("simulator error: ") + e.what(), "text/plain; charset=utf-8");
        }
    };
    server->Get(".*", [guarded](const httplib::Request& request, httplib::Response& response) {
        guarded(request, {}, response);
    });
    server->Delete(".*", [guarded](const httplib::Request& request, httplib::Response& response) {
        guarded(request, request.body, response);
    });
    server->Post(".*",
                 [guarded](const httplib::Request& request,
                           httplib::Response& response,
                           const httplib::ContentReader& reader) {
                     if (request.is_multipart_form_data()) {
                         response.status = 415;
                         response.set_content("multipart bodies are not accepted",
                                              "text/plain; charset=utf-8");
                         return;
                     }
                     // Reading the body here, not through the server, keeps it free of the server's
                     // size limit for urlencoded forms: a gateway batch of 5000 numbers is far larger.
                     std::string body;
                     reader([&body](const char* data, std::size_t length) {
                         body.append(data, length);
                         return true;
                     });
                     guarded(request, body, response);
                 });

    const int bound =
        port == 0 ? server->bind_to_any_port(kHost) : (server->bind_to_port(kHost, port) ? port : -1);
    if (bound <= 0)
        throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(port));

    {
        std::lock_guard lock(impl_->waitMutex);
        impl_->stopping = false;
    }
    impl_->port = bound;
    impl_->service.setOwnServiceUrl(soapUrl());
    impl_->listenerDone = false;
    httplib::Server* listening = server.get();
    impl_->thread = std::thread([listening, impl = impl_.get()] {
        listening->listen_after_bind();
        impl->listenerDone = true;
    });
    // stop() only reaches a server whose accept loop has begun.
    while (!listening->is_running() && !impl_->listenerDone)
        std::this_thread::yield();
    impl_->server = std::move(server);
    return bound;
}

void Simulator::stop() {
    if (!impl_->server)
        return;
    {
        std::lock_guard lock(impl_->waitMutex);
        impl_->stopping = true;
    }
    impl_->wake.notify_all();
    impl_->server->stop();
    impl_->thread.join();
    impl_->server.reset();
    impl_->port = 0;
}

bool Simulator::running() const {
    return impl_->server != nullptr;
}

int Simulator::port() const {
    return impl_->port;
}

std::string Simulator::baseUrl() const {
    return "http://127.0.0.1:" + std::to_string(impl_->port);
}

std::string Simulator::soapUrl() const {
    return baseUrl() + "/Service.asmx";
}

std::vector<Account> Simulator::accounts() const {
    return impl_->service.accounts();
}

std::optional<Account> Simulator::account(const std::string& id) const {
    return impl_->service.account(id);
}

void Simulator::putAccount(const Account& account) {
    impl_->service.putAccount(account);
}

bool Simulator::removeAccount(const std::string& id) {
    return impl_->service.removeAccount(id);
}

Settings Simulator::settings() const {
    return impl_->service.settings();
}

void Simulator::setSettings(const Settings& settings) {
    impl_->service.setSettings(settings);
}

void Simulator::addReply(const std::string& accountId,
                         const std::string& number,
                         const std::string& text,
                         const std::string& port,
                         const std::string& time,
                         std::chrono::milliseconds delay) {
    impl_->service.addReply(accountId, number, text, port, time, delay);
}

void Simulator::script(const std::string& path, ScriptedReply reply, const std::string& soapOperation) {
    impl_->scripts.add(path, soapOperation, std::move(reply));
}

void Simulator::clearScripts() {
    impl_->scripts.clear();
}

std::vector<RecordedRequest> Simulator::requests() const {
    return impl_->log.all();
}

void Simulator::clearRequests() {
    impl_->log.clear();
}

void Simulator::reset() {
    impl_->service.reset();
    impl_->scripts.clear();
    impl_->log.clear();
}

} // namespace parlumo::sim
