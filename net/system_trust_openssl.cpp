// Outside Windows the system's trust is what OpenSSL's default locations hold
// (the distribution's certificate bundle, or SSL_CERT_FILE / SSL_CERT_DIR).
#include <memory>
#include <string>

#include <openssl/x509.h>
#include <openssl/x509_vfy.h>
#include <openssl/x509v3.h>

#include "net/system_trust.h"

namespace {

struct Free {
    void operator()(X509* p) const { X509_free(p); }
    void operator()(STACK_OF(X509) * p) const { sk_X509_pop_free(p, X509_free); }
    void operator()(X509_STORE* p) const { X509_STORE_free(p); }
    void operator()(X509_STORE_CTX* p) const { X509_STORE_CTX_free(p); }
};
template <typename T>
using Owned = std::unique_ptr<T, Free>;

Owned<X509> Decode(const std::string& der) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(der.data());
    if (der.size() > 1u << 20) return nullptr;
    return Owned<X509>(d2i_X509(nullptr, &bytes, static_cast<long>(der.size())));
}

TrustVerdict VerdictOf(int error) {
    switch (error) {
        case X509_V_OK:
            return TrustVerdict::kTrusted;
        case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
        case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
        case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
        case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
        case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
        case X509_V_ERR_CERT_UNTRUSTED:
            return TrustVerdict::kUntrusted;
        case X509_V_ERR_CERT_HAS_EXPIRED:
        case X509_V_ERR_CERT_NOT_YET_VALID:
            return TrustVerdict::kNotTimeValid;
        case X509_V_ERR_HOSTNAME_MISMATCH:
        case X509_V_ERR_IP_ADDRESS_MISMATCH:
            return TrustVerdict::kHostMismatch;
        default:
            return TrustVerdict::kRejected;
    }
}

}  // namespace

TrustVerdict CheckServerChain(const std::vector<std::string>& derChain, const std::string& host) {
    if (derChain.empty() || host.empty()) return TrustVerdict::kRejected;
    Owned<X509> leaf = Decode(derChain[0]);
    Owned<STACK_OF(X509)> sent(sk_X509_new_null());
    Owned<X509_STORE> trust(X509_STORE_new());
    Owned<X509_STORE_CTX> context(X509_STORE_CTX_new());
    if (!leaf || !sent || !trust || !context) return TrustVerdict::kRejected;
    for (std::size_t i = 1; i < derChain.size(); ++i) {
        Owned<X509> certificate = Decode(derChain[i]);
        if (certificate && sk_X509_push(sent.get(), certificate.get()) > 0) certificate.release();
    }
    if (X509_STORE_set_default_paths(trust.get()) != 1 ||
        X509_STORE_CTX_init(context.get(), trust.get(), leaf.get(), sent.get()) != 1 ||
        X509_STORE_CTX_set_purpose(context.get(), X509_PURPOSE_SSL_SERVER) != 1)
        return TrustVerdict::kRejected;
    X509_VERIFY_PARAM* param = X509_STORE_CTX_get0_param(context.get());
    X509_VERIFY_PARAM_set_hostflags(param, X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
    // An address of digits is checked against the certificate's IP addresses.
    if (X509_VERIFY_PARAM_set1_ip_asc(param, host.c_str()) != 1 &&
        X509_VERIFY_PARAM_set1_host(param, host.data(), host.size()) != 1)
        return TrustVerdict::kRejected;
    if (X509_verify_cert(context.get()) == 1) return TrustVerdict::kTrusted;
    const TrustVerdict verdict = VerdictOf(X509_STORE_CTX_get_error(context.get()));
    // A failed verification never counts as trusted, whatever its code.
    return verdict == TrustVerdict::kTrusted ? TrustVerdict::kRejected : verdict;
}
