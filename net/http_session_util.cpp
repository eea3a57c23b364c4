#include "net/http_session_util.h"

#include <mutex>

#include <Poco/Exception.h>
#include <Poco/Net/Net.h>
#include <Poco/Net/SecureStreamSocket.h>

#include "net/remote_file.h"
#include "net/tls_context.h"

namespace net_util {

void EnsureNetworkReady() {
    static std::once_flag once;
    std::call_once(once, [] { Poco::Net::initializeNetwork(); });
}

Poco::URI ParseHttpAddress(const std::string& address) {
    Poco::URI uri(address);
    // HTTP, or HTTP over TLS; another scheme would send a cleartext request
    // to whatever port that scheme uses.
    if ((uri.getScheme() != "http" && uri.getScheme() != "https") || uri.getHost().empty())
        throw Poco::InvalidArgumentException("not an http or https address", address);
    return uri;
}

bool IsSecure(const Poco::URI& uri) { return uri.getScheme() == "https"; }

Poco::Net::StreamSocket SocketFor(const Poco::URI& uri) {
    if (!IsSecure(uri)) return Poco::Net::StreamSocket();
    Poco::Net::SecureStreamSocket socket(ClientTlsContext());
    // The name sent to the server and the one its certificate must carry.
    socket.setPeerHostName(uri.getHost());
    return socket;
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
        // Once on TLS, never back to a connection anyone on the path can read
        // and change.
        if (IsSecure(current) && !IsSecure(next)) return std::string();
        return next.toString();
    } catch (const Poco::Exception&) {
        return std::string();
    }
}

}  // namespace net_util
