#include "net/tls_context.h"

#include <openssl/ssl.h>

#include "net/system_trust.h"

namespace net_util {

namespace {

// Forward secrecy with authenticated encryption (TLS 1.2); TLS 1.3's own
// suites are OpenSSL's defaults.
constexpr char kCipherList[] = "ECDHE+AESGCM:ECDHE+CHACHA20:DHE+AESGCM:DHE+CHACHA20:!aNULL";

// Up to this much arrives in one receive: many TLS records per system call
// rather than two calls per 16 KiB record.
constexpr long kReadBuffer = 256 * 1024;

Poco::Net::Context::Ptr MakeContext() {
    Poco::Net::Context::Params params;
    params.verificationMode = Poco::Net::Context::VERIFY_STRICT;
    params.loadDefaultCAs = false;  // the trust is the system's, not a file's
    params.cipherList = kCipherList;
    Poco::Net::Context::Ptr context = new Poco::Net::Context(Poco::Net::Context::TLS_CLIENT_USE, params);
    context->requireMinimumProtocol(Poco::Net::Context::PROTO_TLSV1_2);
    // The host name is part of the system's verdict; Poco's own check would
    // also skip it for loopback addresses.
    context->enableExtendedCertificateVerification(false);
    SSL_CTX* ssl = context->sslContext();
    InstallSystemTrust(ssl);
    SSL_CTX_set_read_ahead(ssl, 1);
    SSL_CTX_set_default_read_buffer_len(ssl, kReadBuffer);
    return context;
}

}  // namespace

Poco::Net::Context::Ptr ClientTlsContext() {
    // Made once, on the first https connection of any thread.
    static const Poco::Net::Context::Ptr context = MakeContext();
    return context;
}

}  // namespace net_util
