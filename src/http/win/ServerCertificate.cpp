#include "http/win/ServerCertificate.h"

#include <cstdio>

#include "base/UniqueHandle.h"
#include "http/HttpErrors.h"

namespace tolvar {

namespace {

struct ChainTraits {
    using Handle = PCCERT_CHAIN_CONTEXT;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) noexcept { CertFreeCertificateChain(h); }
};
using UniqueChain = UniqueHandle<ChainTraits>;

std::string Hex(DWORD code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
    return text;
}

// The policy's verdicts a vendor may meet when setting up a server, in words.
std::string Reason(DWORD error) {
    switch (error) {
    case static_cast<DWORD>(CERT_E_UNTRUSTEDROOT): return "issued by an authority the system does not trust";
    case static_cast<DWORD>(CERT_E_CHAINING): return "issued by an authority the system does not trust";
    case static_cast<DWORD>(CERT_E_CN_NO_MATCH): return "issued for another name";
    case static_cast<DWORD>(CERT_E_EXPIRED): return "outside its validity period";
    case static_cast<DWORD>(CERT_E_WRONG_USAGE): return "not for TLS servers";
    case static_cast<DWORD>(CERT_E_REVOKED): return "revoked";
    case static_cast<DWORD>(TRUST_E_CERT_SIGNATURE): return "signed wrongly";
    default: return "refused";
    }
}

std::wstring WideHost(const std::string& host) {
    const int size = MultiByteToWideChar(CP_ACP, 0, host.data(), static_cast<int>(host.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, host.data(), static_cast<int>(host.size()), wide.data(), size);
    return wide;
}

}  // namespace

void CheckServerCertificate(const CERT_CONTEXT& certificate, const std::string& host) {
    LPSTR serverUse[] = {const_cast<LPSTR>(szOID_PKIX_KP_SERVER_AUTH)};
    CERT_CHAIN_PARA chainPara{};
    chainPara.cbSize = sizeof chainPara;
    chainPara.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
    chainPara.RequestedUsage.Usage.cUsageIdentifier = 1;
    chainPara.RequestedUsage.Usage.rgpszUsageIdentifier = serverUse;
    PCCERT_CHAIN_CONTEXT built = nullptr;
    if (!CertGetCertificateChain(nullptr, &certificate, nullptr, certificate.hCertStore, &chainPara, 0, nullptr,
                                 &built))
        throw ESocketError("TLS: no certificate chain for " + host + " (" + Hex(GetLastError()) + ")");
    const UniqueChain chain(built);
    // The chain's own verdict first: it must reach a root the system trusts, through valid
    // signatures. The policy below refuses that too on Windows; Wine's passes a chain that
    // stops short at an issuer it cannot find.
    constexpr DWORD kNoTrust = CERT_TRUST_IS_PARTIAL_CHAIN | CERT_TRUST_IS_UNTRUSTED_ROOT |
                               CERT_TRUST_IS_NOT_SIGNATURE_VALID | CERT_TRUST_IS_CYCLIC |
                               CERT_TRUST_IS_EXPLICIT_DISTRUST | CERT_TRUST_IS_REVOKED;
    if (const DWORD untrusted = chain.Get()->TrustStatus.dwErrorStatus & kNoTrust)
        throw ESocketError("TLS: the certificate of " + host + " is issued by an authority the system does not trust" +
                           " (chain status " + Hex(untrusted) + ")");

    std::wstring name = WideHost(host);
    SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl{};
    ssl.cbSize = sizeof ssl;
    ssl.dwAuthType = AUTHTYPE_SERVER;
    ssl.fdwChecks = 0;  // nothing ignored
    ssl.pwszServerName = name.data();
    CERT_CHAIN_POLICY_PARA policy{};
    policy.cbSize = sizeof policy;
    policy.pvExtraPolicyPara = &ssl;
    CERT_CHAIN_POLICY_STATUS status{};
    status.cbSize = sizeof status;
    if (!CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain.Get(), &policy, &status))
        throw ESocketError("TLS: the certificate policy could not be applied for " + host + " (" + Hex(GetLastError()) +
                           ")");
    if (status.dwError != 0)
        throw ESocketError("TLS: the certificate of " + host + " is " + Reason(status.dwError) + " (" +
                           Hex(status.dwError) + ")");
}

}  // namespace tolvar
