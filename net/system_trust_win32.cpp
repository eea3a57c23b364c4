// The trust decision of Windows itself: the chain is built by crypt32 from
// the certificates the server sent and the machine's stores, and judged by
// the system's policy for TLS servers, host name included.
#include <string>

#include "common/utf.h"
#include "common/win_crypt_handles.h"
#include "net/system_trust.h"

namespace {

const BYTE* Bytes(const std::string& der) { return reinterpret_cast<const BYTE*>(der.data()); }

// What the chain itself says, before any policy: a chain that does not end
// in a trusted root, or with a certificate out of its time, is refused here
// (Wine's SSL policy lets a chain that ends short of any root pass).
// Revocation is not asked for, and time nesting is not held against a chain,
// as the system's own TLS does not.
TrustVerdict VerdictOfChain(DWORD status) {
    status &= ~static_cast<DWORD>(CERT_TRUST_REVOCATION_STATUS_UNKNOWN | CERT_TRUST_IS_OFFLINE_REVOCATION |
                                  CERT_TRUST_IS_NOT_TIME_NESTED);
    if (status == CERT_TRUST_NO_ERROR) return TrustVerdict::kTrusted;
    if (status & (CERT_TRUST_IS_UNTRUSTED_ROOT | CERT_TRUST_IS_PARTIAL_CHAIN)) return TrustVerdict::kUntrusted;
    if (status & CERT_TRUST_IS_NOT_TIME_VALID) return TrustVerdict::kNotTimeValid;
    return TrustVerdict::kRejected;
}

// The verdict of the system's policy for TLS servers.
TrustVerdict VerdictOfPolicy(DWORD error) {
    switch (error) {
        case ERROR_SUCCESS:
            return TrustVerdict::kTrusted;
        case static_cast<DWORD>(CERT_E_UNTRUSTEDROOT):
        case static_cast<DWORD>(CERT_E_CHAINING):
        case static_cast<DWORD>(CERT_E_UNTRUSTEDTESTROOT):
            return TrustVerdict::kUntrusted;
        case static_cast<DWORD>(CERT_E_EXPIRED):
        case static_cast<DWORD>(CERT_E_VALIDITYPERIODNESTING):
            return TrustVerdict::kNotTimeValid;
        case static_cast<DWORD>(CERT_E_CN_NO_MATCH):
            return TrustVerdict::kHostMismatch;
        default:
            return TrustVerdict::kRejected;
    }
}

}  // namespace

TrustVerdict CheckServerChain(const std::vector<std::string>& derChain, const std::string& host) {
    if (derChain.empty() || host.empty()) return TrustVerdict::kRejected;
    for (const std::string& der : derChain)
        if (der.empty() || der.size() > MAXDWORD) return TrustVerdict::kRejected;

    win::ScopedCertContext leaf(
        ::CertCreateCertificateContext(X509_ASN_ENCODING, Bytes(derChain[0]), static_cast<DWORD>(derChain[0].size())));
    if (!leaf) return TrustVerdict::kRejected;
    // The intermediates the server sent, for the chain building only: they
    // are trusted for nothing by being here.
    win::ScopedCertStore sent(::CertOpenStore(CERT_STORE_PROV_MEMORY, 0, 0, CERT_STORE_CREATE_NEW_FLAG, nullptr));
    if (!sent) return TrustVerdict::kRejected;
    for (std::size_t i = 1; i < derChain.size(); ++i) {
        // One that does not parse is left out; if the chain needed it, the
        // chain does not reach a trusted root.
        ::CertAddEncodedCertificateToStore(sent.get(), X509_ASN_ENCODING, Bytes(derChain[i]),
                                           static_cast<DWORD>(derChain[i].size()), CERT_STORE_ADD_USE_EXISTING,
                                           nullptr);
    }

    char serverAuth[] = szOID_PKIX_KP_SERVER_AUTH;
    LPSTR usages[] = {serverAuth};
    CERT_CHAIN_PARA chainPara = {};
    chainPara.cbSize = sizeof chainPara;
    chainPara.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
    chainPara.RequestedUsage.Usage.cUsageIdentifier = 1;
    chainPara.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
    win::ScopedCertChain chain;
    // The default engine: the current user's view of the machine's trust;
    // the present time.
    if (!::CertGetCertificateChain(nullptr, leaf.get(), nullptr, sent.get(), &chainPara, 0, nullptr, chain.receive()) ||
        !chain)
        return TrustVerdict::kRejected;
    const TrustVerdict chainVerdict = VerdictOfChain(chain.get()->TrustStatus.dwErrorStatus);
    if (chainVerdict != TrustVerdict::kTrusted) return chainVerdict;

    std::wstring serverName = text::Utf8ToWide(host);
    SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl = {};
    ssl.cbSize = sizeof ssl;
    ssl.dwAuthType = AUTHTYPE_SERVER;
    ssl.fdwChecks = 0;  // nothing ignored
    ssl.pwszServerName = serverName.data();
    CERT_CHAIN_POLICY_PARA policy = {};
    policy.cbSize = sizeof policy;
    policy.pvExtraPolicyPara = &ssl;
    CERT_CHAIN_POLICY_STATUS status = {};
    status.cbSize = sizeof status;
    if (!::CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain.get(), &policy, &status))
        return TrustVerdict::kRejected;
    return VerdictOfPolicy(status.dwError);
}
