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

// What one exchange may take: connect and total time-outs, and the largest reply body it reads.
// A time-out or a larger reply counts as that exchange's network failure.
struct HttpLimits {
    long connectMs;
    long totalMs;
    qint64 maxReplyBytes;
};

namespace limits {
inline constexpr qint64 kKiB = 1024;
inline constexpr qint64 kMiB = 1024 * kKiB;
// Login, balance, password, registration: a record of a few hundred bytes.
inline constexpr HttpLimits kAccount{10'000, 30'000, 64 * kKiB};
// One SMS batch of up to 5000 numbers: the reply is a result code.
inline constexpr HttpLimits kGateway{10'000, 120'000, 64 * kKiB};
// The reply box: every waiting reply at once, up to about 1 KB each.
inline constexpr HttpLimits kReplies{10'000, 60'000, 32 * kMiB};
// News page, update check, call page, progress polls: a progress page lists every number of a
// task, up to about 300 bytes each.
inline constexpr HttpLimits kPages{10'000, 20'000, 32 * kMiB};
// SOAP calls that carry a file: the reply is a code or a task number in an envelope.
inline constexpr HttpLimits kSoap{10'000, 300'000, 1 * kMiB};
} // namespace limits

class HttpError : public Error {
public:
    using Error::Error;
};

struct HttpRequest {
    QByteArray method = "GET";
    QString url;
    QList<QByteArray> headers;
    QByteArray body;
    HttpLimits limits = limits::kAccount;
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
// dropped, timed out) or the reply is larger than the limit; an HTTP error status is a reply
// like any other.
HttpResponse httpExchange(const HttpRequest& request);

// Synchronous GET: the body of a 200 reply read as GBK, surrounding blanks and control characters
// removed; anything else, a failure of any kind included, gives an empty text.
QString HttpGetText(const QString& url,
                    HttpLimits limits = limits::kAccount,
                    const std::atomic<bool>* cancelled = nullptr);

// Form POST of fields already written as name=encoded value, joined by "&" in the given order.
// Returns the reply body read as GBK; a failed exchange or an HTTP error status raises HttpError.
QString HttpPostForm(const QString& url,
                     const QStringList& fields,
                     HttpLimits limits = limits::kGateway,
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
