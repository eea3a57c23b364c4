#include "net/http_session_util.h"

#include <mutex>

#include <Poco/Exception.h>
#include <Poco/Net/Net.h>

#include "net/remote_file.h"

namespace net_util {

void EnsureNetworkReady() {
    static std::once_flag once;
    std::call_once(once, [] { Poco::Net::initializeNetwork(); });
}

Poco::URI ParseHttpAddress(const std::string& address) {
    Poco::URI uri(address);
    // Only plain HTTP is spoken here; another scheme would send a cleartext
    // request to whatever port that scheme uses.
    if (uri.getScheme() != "http" || uri.getHost().empty())
        throw Poco::InvalidArgumentException("not an http address", address);
    return uri;
}

Poco::Net::HTTPRequest MakeDownloadRequest(const Poco::URI& uri) {
    std::string target = uri.getPathAndQuery();
    if (target.empty()) target = "/";
    Poco::Net::HTTPRequest request(Poco::Net::HTTPRequest::HTTP_GET, target, Poco::Net::HTTPMessage::HTTP_1_1);
    request.set("User-Agent", kDownloadUserAgent);
    request.set("referer", kDownloadReferer);
    return request;
}

void AbortSession(Poco::Net::HTTPClientSession& session) noexcept {
    try {
        if (session.connected()) session.abort();
    } catch (...) {
        // A socket that is already gone has nothing left to close.
    }
}

std::string RedirectTarget(const Poco::URI& current, const std::string& location) {
    if (location.empty()) return std::string();
    try {
        Poco::URI next(current);
        next.resolve(location);
        return next.toString();
    } catch (const Poco::Exception&) {
        return std::string();
    }
}

}  // namespace net_util
