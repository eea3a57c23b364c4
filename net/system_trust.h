// Whether the system trusts the certificate a server shows for a host name.
// On Windows the decision is the system's own: the certificate store the
// user's machine trusts, read through crypt32, with its policy for TLS
// servers (chain, validity, key usage, host name). Elsewhere it is OpenSSL's
// verification against the system's default trust locations. The program
// carries no certificate of its own, and nothing turns the check off.
#pragma once

#include <string>
#include <vector>

struct ssl_ctx_st;

enum class TrustVerdict {
    kTrusted,
    kUntrusted,     // no chain to a certificate the system trusts (self-signed included)
    kNotTimeValid,  // expired, or not valid yet
    kHostMismatch,  // made out for another host name
    kRejected,      // anything else: wrong key usage, revoked, malformed, no host name
};

// The chain as the server sent it (DER, its own certificate first, then the
// intermediates in any order), checked for `host` (a DNS name or an IP
// address, as in the address) at the present time.
TrustVerdict CheckServerChain(const std::vector<std::string>& derChain, const std::string& host);

// Makes every handshake on `context` decide the server's certificate with
// CheckServerChain, for the host name the connection asked for (the name it
// sent as the TLS server name); a handshake without one fails.
void InstallSystemTrust(ssl_ctx_st* context);
