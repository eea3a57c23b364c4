// tovane_test_ca add|remove CA.der: trusts the tests' certificate authority
// in the Wine prefix the tests run in (the local machine's root store), or
// takes it out again. Every certificate with the authority's name goes first,
// so a run that was cut short leaves nothing behind for the next one.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "common/win_crypt_handles.h"

namespace {

// Removes every certificate whose subject is `subject`; the count removed.
int RemoveSubject(HCERTSTORE store, const CERT_NAME_BLOB& subject) {
    int removed = 0;
    for (;;) {
        PCCERT_CONTEXT found =
            ::CertFindCertificateInStore(store, X509_ASN_ENCODING, 0, CERT_FIND_SUBJECT_NAME, &subject, nullptr);
        if (!found) return removed;
        // Deleting frees the context it is given.
        if (!::CertDeleteCertificateFromStore(found)) return -1;
        ++removed;
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc == 3 ? argv[1] : L"";
    if (command != L"add" && command != L"remove") {
        std::fprintf(stderr, "usage: tovane_test_ca add|remove CA.der\n");
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    const std::string der((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    win::ScopedCertContext authority(::CertCreateCertificateContext(
        X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()), static_cast<DWORD>(der.size())));
    if (!authority) {
        std::fprintf(stderr, "tovane_test_ca: no certificate in %ls\n", argv[2]);
        return 1;
    }
    win::ScopedCertStore root(
        ::CertOpenStore(CERT_STORE_PROV_SYSTEM_REGISTRY_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"Root"));
    if (!root) {
        std::fprintf(stderr, "tovane_test_ca: cannot open the root store (%lu)\n", ::GetLastError());
        return 1;
    }
    const int removed = RemoveSubject(root.get(), authority.get()->pCertInfo->Subject);
    if (removed < 0) {
        std::fprintf(stderr, "tovane_test_ca: cannot remove the old certificate (%lu)\n", ::GetLastError());
        return 1;
    }
    if (command == L"add" &&
        !::CertAddCertificateContextToStore(root.get(), authority.get(), CERT_STORE_ADD_REPLACE_EXISTING, nullptr)) {
        std::fprintf(stderr, "tovane_test_ca: cannot add the certificate (%lu)\n", ::GetLastError());
        return 1;
    }
    std::printf("tovane_test_ca: %ls (%d removed)\n", command.c_str(), removed);
    return 0;
}
