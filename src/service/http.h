#pragma once

#include "text/error.h"
#include "text/trim_controls.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

namespace parlumo {

// Connect and total time-outs of one exchange; a time-out counts as that exchange's network failure.
struct HttpTimeouts {
    long connectMs;
    long totalMs;
};

namespace timeouts {
inline constexpr HttpTimeouts kAccount{10'000, 30'000};    // login, balance, password, registration
inline constexpr HttpTimeouts kGateway{10'000, 120'000};   // one SMS batch of up to 5000 numbers
inline constexpr HttpTimeouts kReplies{10'000, 60'000};    // the reply box
inline constexpr HttpTimeouts kBackground{10'000, 20'000}; // news page, update check, progress polls, calls
inline constexpr HttpTimeouts kSoap{10'000, 300'000};      // SOAP calls that carry a file
} // namespace timeouts

class HttpError : public Error {
public:
    using Error::Error;
};

struct HttpRequest {
    QByteArray method = "GET";
    QString url;
    QList<QByteArray> headers;
    QByteArray body;
    HttpTimeouts timeouts = timeouts::kAccount;
    QByteArray userAgent;
    bool acceptInvalidCertificates = false;
    // When set, the exchange is abandoned as soon as it turns true (a worker being stopped).
    const std::atomic<bool>* cancelled = nullptr;
    // When set, told how many bytes of the body have gone out, of how many, as the upload runs.
    std::function<void(qint64 sent, qint64 total)> uploaded;
};

struct HttpResponse {
    long status = 0;
    QByteArray body;
};

// One exchange on its own handle. Raises HttpError when no reply arrives (no host, refused,
// dropped, timed out); an HTTP error status is a reply like any other.
HttpResponse httpExchange(const HttpRequest& request);

// Synchronous GET: the body of a 200 reply read as GBK, surrounding blanks and control characters
// removed; anything else, a failure of any kind included, gives an empty text.
QString HttpGetText(const QString& url,
                    HttpTimeouts limits = timeouts::kAccount,
                    const std::atomic<bool>* cancelled = nullptr);

// Form POST of fields already written as name=encoded value, joined by "&" in the given order.
// Returns the reply body read as GBK; a failed exchange or an HTTP error status raises HttpError.
QString HttpPostForm(const QString& url,
                     const QStringList& fields,
                     HttpTimeouts limits = timeouts::kGateway,
                     const std::atomic<bool>* cancelled = nullptr);

// Initialises the HTTP library once for the process; kept alive for the program's lifetime.
class HttpLibrary {
public:
    HttpLibrary();
    ~HttpLibrary();
    HttpLibrary(const HttpLibrary&) = delete;
    HttpLibrary& operator=(const HttpLibrary&) = delete;
};

} // namespace parlumo
