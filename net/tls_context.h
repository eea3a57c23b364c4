// The TLS settings of every https connection the program makes.
#pragma once

#include <Poco/Net/Context.h>

namespace net_util {

// The process's one client context, made on first use: TLS 1.2 or newer,
// strong ciphers only, and the server's certificate decided by the system's
// trust (net/system_trust.h) for the host name asked for. Throws
// Poco::Exception when OpenSSL cannot make it.
Poco::Net::Context::Ptr ClientTlsContext();

}  // namespace net_util
