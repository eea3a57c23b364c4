// Small helpers shared by the download client and the update query: network
// start-up, address checks, the socket for a scheme, request building,
// closing a session and following a redirect.
#pragma once

#include <string>

#include <Poco/Net/HTTPClientSession.h>
#include <Poco/Net/HTTPRequest.h>
#include <Poco/Net/StreamSocket.h>
#include <Poco/URI.h>

namespace net_util {

// Starts the socket layer once per process (WSAStartup on Windows; nothing
// elsewhere). Every entry point that opens a session calls it first.
void EnsureNetworkReady();

// Parses an http or https address and checks it names a host. Throws
// Poco::Exception (SyntaxException, InvalidArgumentException) on anything else.
Poco::URI ParseHttpAddress(const std::string& address);

// True for an https address.
bool IsSecure(const Poco::URI& uri);

// The socket a session to the address talks through, not yet connected: a
// plain one for http; for https one whose handshake checks the server's
// certificate against the system's trust for the address's host name. The
// session sets host and port itself.
Poco::Net::StreamSocket SocketFor(const Poco::URI& uri);

// GET request for the address's path and query, with the download headers.
Poco::Net::HTTPRequest MakeDownloadRequest(const Poco::URI& uri);

// Aborts and closes the session if it is still connected; never throws.
void AbortSession(Poco::Net::HTTPClientSession& session) noexcept;

// The address a redirect answer sends us to: the Location header resolved
// against the address that answered (a relative Location names a path on the
// same server). Empty when the answer has no usable Location, and when it
// would leave https for plain http.
std::string RedirectTarget(const Poco::URI& current, const std::string& location);

}  // namespace net_util
