#include "net/remote_file.h"

#include <exception>

#include <Poco/Net/HTTPResponse.h>
#include <Poco/URI.h>

#include "net/http_session_util.h"

const char kDownloadUserAgent[] = "tovane pc-mini TL";
const char kDownloadReferer[] = "http://www.tovane.com";
const char kForumPageAddress[] = "http://bbs.tovane.com";
const char kHomePageAddress[] = "http://www.tovane.com";

namespace {

bool IsRedirect(int status) {
    return status == Poco::Net::HTTPResponse::HTTP_MOVED_PERMANENTLY || status == Poco::Net::HTTPResponse::HTTP_FOUND;
}

void FillInfo(const Poco::Net::HTTPResponse& response, RemoteFileInfo& info) {
    info.acceptsRanges = !response.get("Accept-Ranges", "").empty();
    // Full 64-bit length: packages beyond 2 GiB must not wrap.
    info.contentLength = response.hasContentLength() ? response.getContentLength64() : -1;
    info.lastModified = response.get("Last-Modified", "");
    info.contentType = response.getContentType();
}

// Replaces `address` by the redirect's target; false when there is none.
bool FollowRedirect(const Poco::URI& uri, const Poco::Net::HTTPResponse& response, std::string& address) {
    address = net_util::RedirectTarget(uri, response.get("Location", ""));
    return !address.empty();
}

}  // namespace

bool ProbeRemoteFile(std::string& address, RemoteFileInfo& info) {
    net_util::EnsureNetworkReady();
    // One first request plus at most kMaxRedirects redirected ones; a longer
    // chain or a loop ends as a failed probe.
    for (int hop = 0; hop <= kMaxRedirects; ++hop) {
        try {
            const Poco::URI uri = net_util::ParseHttpAddress(address);
            Poco::Net::HTTPClientSession session(net_util::SocketFor(uri));
            session.setHost(uri.getHost());
            session.setPort(uri.getPort());
            Poco::Net::HTTPRequest request = net_util::MakeDownloadRequest(uri);
            session.sendRequest(request);
            Poco::Net::HTTPResponse response;
            session.receiveResponse(response);
            const int status = response.getStatus();
            if (status == Poco::Net::HTTPResponse::HTTP_OK) {
                FillInfo(response, info);
                net_util::AbortSession(session);
                return true;
            }
            net_util::AbortSession(session);
            if (!IsRedirect(status) || !FollowRedirect(uri, response, address)) return false;
        } catch (const std::exception&) {
            // A failed TLS handshake (the certificate refused) ends here too;
            // the session's destructor closes its connection.
            return false;
        }
    }
    return false;
}

std::unique_ptr<HttpFileClient> OpenDownload(std::string& address) {
    net_util::EnsureNetworkReady();
    for (int hop = 0; hop <= kMaxRedirects; ++hop) {
        try {
            const Poco::URI uri = net_util::ParseHttpAddress(address);
            auto client = std::make_unique<HttpFileClient>(net_util::SocketFor(uri));
            // Host and port both come from the address, as for the probe.
            client->setHost(uri.getHost());
            client->setPort(uri.getPort());
            Poco::Net::HTTPRequest request = net_util::MakeDownloadRequest(uri);
            client->sendRequest(request);
            Poco::Net::HTTPResponse response;
            std::istream& body = client->receiveResponse(response);
            const int status = response.getStatus();
            if (status == Poco::Net::HTTPResponse::HTTP_OK || status == Poco::Net::HTTPResponse::HTTP_PARTIAL_CONTENT) {
                client->SetAnswerBody(&body, response.hasContentLength() ? response.getContentLength64() : -1,
                                      response.getChunkedTransferEncoding());
                return client;
            }
            net_util::AbortSession(*client);
            if (!IsRedirect(status) || !FollowRedirect(uri, response, address)) return nullptr;
        } catch (const std::exception&) {
            return nullptr;
        }
    }
    return nullptr;
}

std::unique_ptr<HttpFileClient> PrepareDownload(const DownloadCallbacks* callbacks, std::string& address) {
    RemoteFileInfo info;
    if (!ProbeRemoteFile(address, info)) return nullptr;
    std::unique_ptr<HttpFileClient> client = OpenDownload(address);
    if (!client) return nullptr;
    client->SetExpectedSize(info.contentLength);
    if (callbacks) client->SetCallbacks(*callbacks);
    return client;
}
