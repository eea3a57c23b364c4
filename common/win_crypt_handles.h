// Scoped owners of crypt32's certificate objects (stores, certificates,
// chains), on the holder of common/win_handles.h. Kept apart from it because
// <wincrypt.h> defines macros that clash with other libraries' names.
#pragma once

#include <windows.h>
#include <wincrypt.h>

#include "common/win_handles.h"

namespace win {

struct CertStoreTraits {
    static HCERTSTORE Empty() { return nullptr; }
    static void Close(HCERTSTORE h) { ::CertCloseStore(h, 0); }
};
struct CertContextTraits {
    static PCCERT_CONTEXT Empty() { return nullptr; }
    static void Close(PCCERT_CONTEXT h) { ::CertFreeCertificateContext(h); }
};
struct CertChainTraits {
    static PCCERT_CHAIN_CONTEXT Empty() { return nullptr; }
    static void Close(PCCERT_CHAIN_CONTEXT h) { ::CertFreeCertificateChain(h); }
};

using ScopedCertStore = Scoped<HCERTSTORE, CertStoreTraits>;
using ScopedCertContext = Scoped<PCCERT_CONTEXT, CertContextTraits>;
using ScopedCertChain = Scoped<PCCERT_CHAIN_CONTEXT, CertChainTraits>;

}  // namespace win
