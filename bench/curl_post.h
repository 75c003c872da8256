#pragma once

#include <QByteArray>
#include <curl/curl.h>
#include <memory>
#include <string>

namespace parlumo::bench {

// The anchor of the sending benchmarks: libcurl alone, posting bodies built beforehand.
struct CurlHandle {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using CurlPointer = std::unique_ptr<CURL, CurlHandle>;

// Posts one body with the given headers and returns the reply, or "" when the exchange failed.
std::string post(CURL* handle, const std::string& url, const QByteArray& body, curl_slist* headers);

} // namespace parlumo::bench
