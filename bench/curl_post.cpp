#include "bench/curl_post.h"

namespace parlumo::bench {

namespace {

size_t keepReply(char* data, size_t size, size_t count, void* reply) {
    static_cast<std::string*>(reply)->append(data, size * count);
    return size * count;
}

} // namespace

std::string post(CURL* handle, const std::string& url, const QByteArray& body, curl_slist* headers) {
    std::string reply;
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(handle, CURLOPT_POSTFIELDS, body.constData());
    curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, keepReply);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &reply);
    return curl_easy_perform(handle) == CURLE_OK ? reply : std::string();
}

} // namespace parlumo::bench
