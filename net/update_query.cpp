#include "net/update_query.h"

#include <cstdlib>
#include <exception>
#include <istream>

#include <json/reader.h>
#include <json/value.h>
#include <Poco/Net/HTTPClientSession.h>
#include <Poco/Net/HTTPRequest.h>
#include <Poco/Net/HTTPResponse.h>
#include <Poco/URI.h>

#include "net/http_session_util.h"

const char kDefaultUpdateAddress[] = "http://api.tovane.com/update.json?type=tu";

std::string UpdateAddress() {
    const char* fromEnvironment = std::getenv("TOVANE_UPDATE_URL");
    if (fromEnvironment && *fromEnvironment) return fromEnvironment;
    return kDefaultUpdateAddress;
}

namespace {

// Stores a member's value when it has the expected JSON type.
void TakeString(const Json::Value& value, std::string& out) {
    if (value.isString()) out = value.asString();
}

void TakeInt(const Json::Value& value, std::int32_t& out) {
    if (value.isInt()) out = value.asInt();
}

// The package's checksum: null counts as absent; anything but 64 hex digits
// makes the manifest unusable, since it asked for a check that cannot be made.
bool TakeSha256(const Json::Value& value, std::optional<Sha256Digest>& out) {
    if (value.isNull()) return true;
    if (!value.isString()) return false;
    out = ParseSha256Hex(value.asString());
    return out.has_value();
}

bool ReadData(const Json::Value& data, UpdateInfo& info) {
    for (const std::string& name : data.getMemberNames()) {
        const Json::Value& value = data[name];
        if (name == "version")
            TakeString(value, info.version);
        else if (name == "discription")
            TakeString(value, info.description);
        else if (name == "build_number")
            TakeInt(value, info.buildNumber);
        else if (name == "url")
            TakeString(value, info.downloadAddress);
        else if (name == "sha256" && !TakeSha256(value, info.sha256))
            return false;
    }
    return true;
}

// Reads the whole body, refusing more than kMaxManifestSize bytes and a body
// cut off by a connection error or shorter than its announced length.
bool ReadBoundedBody(std::istream& body, const Poco::Net::HTTPResponse& response, std::string& text) {
    if (response.hasContentLength() && response.getContentLength64() > static_cast<Poco::Int64>(kMaxManifestSize))
        return false;
    char buffer[8192];
    while (body.good()) {
        body.read(buffer, sizeof buffer);
        text.append(buffer, static_cast<std::size_t>(body.gcount()));
        if (text.size() > kMaxManifestSize) return false;
    }
    if (body.bad()) return false;
    return !response.hasContentLength() || static_cast<Poco::Int64>(text.size()) == response.getContentLength64();
}

}  // namespace

bool ParseUpdateManifest(const std::string& text, UpdateInfo& info) {
    Json::Value root;
    try {
        Json::Reader reader(Json::Features::all());
        if (!reader.parse(text, root, false)) return false;
    } catch (const std::exception&) {
        // Nesting deeper than the reader's limit.
        return false;
    }
    if (!root.isObject()) return true;
    for (const std::string& name : root.getMemberNames()) {
        const Json::Value& value = root[name];
        if (name == "error")
            TakeInt(value, info.errorCode);
        else if (name == "msg")
            TakeString(value, info.message);
        else if (name == "data" && value.isObject() && !ReadData(value, info))
            return false;
    }
    return true;
}

bool QueryUpdateAt(const std::string& updateAddress, std::string& downloadAddress, UpdateInfo* info) {
    net_util::EnsureNetworkReady();
    std::string text;
    try {
        const Poco::URI uri = net_util::ParseHttpAddress(updateAddress);
        // The request target is the whole address, scheme and host included.
        Poco::Net::HTTPRequest request(Poco::Net::HTTPRequest::HTTP_GET,
                                       uri.getScheme() + "://" + uri.getAuthority() +
                                           (uri.getPathAndQuery().empty() ? "/" : uri.getPathAndQuery()),
                                       Poco::Net::HTTPMessage::HTTP_1_1);
        Poco::Net::HTTPClientSession session(net_util::SocketFor(uri));
        session.setHost(uri.getHost());
        session.setPort(uri.getPort());
        try {
            session.sendRequest(request);
            Poco::Net::HTTPResponse response;
            std::istream& body = session.receiveResponse(response);
            const bool accepted =
                response.getStatus() == Poco::Net::HTTPResponse::HTTP_OK && ReadBoundedBody(body, response, text);
            net_util::AbortSession(session);
            if (!accepted) return false;
        } catch (...) {
            net_util::AbortSession(session);
            throw;
        }
    } catch (const std::exception&) {
        return false;
    }

    UpdateInfo manifest;
    if (!ParseUpdateManifest(text, manifest)) return false;
    downloadAddress = manifest.downloadAddress;
    if (info) *info = manifest;
    return true;
}

bool QueryUpdate(std::string& downloadAddress, UpdateInfo* info) {
    return QueryUpdateAt(UpdateAddress(), downloadAddress, info);
}
