#include "net/system_trust.h"

#include <exception>

#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <openssl/x509_vfy.h>

namespace {

bool AppendDer(X509* certificate, std::vector<std::string>& chain) {
    unsigned char* der = nullptr;
    const int length = i2d_X509(certificate, &der);
    if (length <= 0) return false;
    chain.emplace_back(reinterpret_cast<const char*>(der), static_cast<std::size_t>(length));
    OPENSSL_free(der);
    return true;
}

// The error OpenSSL reports (and sends to the server as the alert) for a verdict.
int ErrorOf(TrustVerdict verdict) {
    switch (verdict) {
        case TrustVerdict::kTrusted:
            return X509_V_OK;
        case TrustVerdict::kUntrusted:
            return X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY;
        case TrustVerdict::kNotTimeValid:
            return X509_V_ERR_CERT_HAS_EXPIRED;
        case TrustVerdict::kHostMismatch:
            return X509_V_ERR_HOSTNAME_MISMATCH;
        case TrustVerdict::kRejected:
            break;
    }
    return X509_V_ERR_APPLICATION_VERIFICATION;
}

// Replaces OpenSSL's own chain verification for the handshake: 1 lets it go on.
int VerifyServer(X509_STORE_CTX* store, void*) {
    TrustVerdict verdict = TrustVerdict::kRejected;
    try {
        auto* ssl = static_cast<SSL*>(X509_STORE_CTX_get_ex_data(store, SSL_get_ex_data_X509_STORE_CTX_idx()));
        const char* host = ssl ? SSL_get_servername(ssl, TLSEXT_NAMETYPE_host_name) : nullptr;
        X509* leaf = X509_STORE_CTX_get0_cert(store);
        std::vector<std::string> chain;
        if (host && *host && leaf && AppendDer(leaf, chain)) {
            bool complete = true;
            STACK_OF(X509)* sent = X509_STORE_CTX_get0_untrusted(store);
            for (int i = 0; sent && i < sk_X509_num(sent); ++i) {
                X509* certificate = sk_X509_value(sent, i);
                if (X509_cmp(certificate, leaf) != 0) complete = complete && AppendDer(certificate, chain);
            }
            if (complete) verdict = CheckServerChain(chain, host);
        }
    } catch (const std::exception&) {
        verdict = TrustVerdict::kRejected;  // out of memory: no verdict, no connection
    }
    X509_STORE_CTX_set_error(store, ErrorOf(verdict));
    return verdict == TrustVerdict::kTrusted ? 1 : 0;
}

}  // namespace

void InstallSystemTrust(ssl_ctx_st* context) {
    SSL_CTX_set_cert_verify_callback(context, &VerifyServer, nullptr);
    // The verdict ends the handshake only when the peer is verified at all.
    SSL_CTX_set_verify(context, SSL_CTX_get_verify_mode(context) | SSL_VERIFY_PEER,
                       SSL_CTX_get_verify_callback(context));
}
