#include "service/http.h"

#include "text/gbk.h"

#include <QtGlobal>
#include <curl/curl.h>
#include <memory>

namespace parlumo {

namespace {

// The reply body as it arrives, read no further than the exchange's limit.
struct ReplyBody {
    QByteArray bytes;
    qint64 maxBytes = 0;
    bool tooLarge = false;
};

// Called by libcurl with each piece of the body; a piece past the limit stops the transfer.
size_t appendBody(char* data, size_t size, size_t count, void* target) {
    auto* body = static_cast<ReplyBody*>(target);
    const size_t length = size * count;
    if (static_cast<qint64>(length) > body->maxBytes - body->bytes.size()) {
        body->tooLarge = true;
        return CURL_WRITEFUNC_ERROR;
    }
    body->bytes.append(data, static_cast<qsizetype>(length));
    return length;
}

// Called by libcurl while the exchange runs: reports the upload and abandons a cancelled exchange.
int followTransfer(void* request, curl_off_t, curl_off_t, curl_off_t uploadTotal, curl_off_t uploaded) {
    const auto* r = static_cast<const HttpRequest*>(request);
    if (r->uploaded && uploadTotal > 0)
        r->uploaded(uploaded, uploadTotal);
    return r->cancelled && r->cancelled->load() ? 1 : 0;
}

// PARLUMO_HTTP_TIMEOUT_CAP_MS, when set, caps every exchange's total time-out, so that a test
// of a stalled service fails in moments; unset, each exchange keeps its own.
long totalTimeout(const HttpLimits& limits) {
    bool set = false;
    const long cap = qEnvironmentVariableIntValue("PARLUMO_HTTP_TIMEOUT_CAP_MS", &set);
    return set && cap > 0 ? qMin(cap, limits.totalMs) : limits.totalMs;
}

struct CurlDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

} // namespace

HttpResponse httpExchange(const HttpRequest& request) {
    std::unique_ptr<CURL, CurlDeleter> handle(curl_easy_init());
    if (!handle)
        throw HttpError(QStringLiteral("HTTP client unavailable"));
    CURL* h = handle.get();
    ReplyBody body;
    body.maxBytes = request.limits.maxReplyBytes;
    const QByteArray url = request.url.toUtf8();

    std::unique_ptr<curl_slist, CurlDeleter> headers;
    auto addHeader = [&headers](const QByteArray& line) {
        curl_slist* grown = curl_slist_append(headers.get(), line.constData());
        if (!grown)
            throw HttpError(QStringLiteral("HTTP client out of memory"));
        headers.release();
        headers.reset(grown);
    };
    for (const QByteArray& header : request.headers)
        addHeader(header);
    // Bodies go out at once; no server here answers "100 Continue".
    addHeader("Expect:");

    curl_easy_setopt(h, CURLOPT_URL, url.constData());
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, request.limits.connectMs);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, totalTimeout(request.limits));
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    if (!request.userAgent.isEmpty())
        curl_easy_setopt(h, CURLOPT_USERAGENT, request.userAgent.constData());
    if (request.acceptInvalidCertificates) {
        curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 0L);
        curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 0L);
    }
    if (request.cancelled || request.uploaded) {
        curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, followTransfer);
        curl_easy_setopt(h, CURLOPT_XFERINFODATA, const_cast<HttpRequest*>(&request));
    }
    if (request.method == "POST") {
        curl_easy_setopt(h, CURLOPT_POST, 1L);
        curl_easy_setopt(h, CURLOPT_POSTFIELDS, request.body.constData());
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
    }

    const CURLcode result = curl_easy_perform(h);
    if (body.tooLarge)
        throw HttpError(QStringLiteral("%1: the reply is too large (more than %2 bytes)")
                            .arg(request.url)
                            .arg(body.maxBytes));
    if (result != CURLE_OK)
        throw HttpError(
            QStringLiteral("%1: %2").arg(request.url, QString::fromUtf8(curl_easy_strerror(result))));
    HttpResponse response;
    response.body = std::move(body.bytes);
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &response.status);
    return response;
}

QString HttpGetText(const QString& url, HttpLimits limits, const std::atomic<bool>* cancelled) {
    try {
        HttpRequest request;
        request.url = url;
        request.limits = limits;
        request.cancelled = cancelled;
        const HttpResponse response = httpExchange(request);
        if (response.status == 200)
            return trimControls(fromGbk(response.body));
    } catch (const HttpError&) {
        // An unreachable service reads like an empty reply; the callers treat both alike.
    }
    return QString();
}

QString HttpPostForm(const QString& url,
                     const QStringList& fields,
                     HttpLimits limits,
                     const std::atomic<bool>* cancelled) {
    HttpRequest request;
    request.method = "POST";
    request.url = url;
    request.limits = limits;
    request.cancelled = cancelled;
    request.headers = {"Content-Type: application/x-www-form-urlencoded"};
    request.body = toGbk(trimControls(fields.join(QLatin1Char('&'))));
    const HttpResponse response = httpExchange(request);
    if (response.status < 200 || response.status >= 300)
        throw HttpError(QStringLiteral("%1: HTTP %2").arg(url).arg(response.status));
    return fromGbk(response.body);
}

HttpLibrary::HttpLibrary() {
    curl_global_init(CURL_GLOBAL_DEFAULT);
}

HttpLibrary::~HttpLibrary() {
    curl_global_cleanup();
}

} // namespace parlumo
