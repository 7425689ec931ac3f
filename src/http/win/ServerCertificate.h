#pragma once
// The one check of a TLS server's certificate, whatever the TLS layer did on its own.
#include <windows.h>
#include <wincrypt.h>

#include <string>

namespace tolvar {

// Accepts `certificate` (with the intermediates the server sent in its store) only when the
// system builds a chain for it to a root it trusts, every certificate of it is within its
// validity period and fit for a TLS server, and the certificate is issued for `host`: the chain
// through the system's trust (CertGetCertificateChain, whose verdict on the chain itself is
// read too), then the policy for TLS servers with the host name
// (CertVerifyCertificateChainPolicy, CERT_CHAIN_POLICY_SSL). Otherwise raises ESocketError
// saying why. Revocation is not looked up: that would take requests to the
// authority's servers that an update must not wait for.
void CheckServerCertificate(const CERT_CONTEXT& certificate, const std::string& host);

}  // namespace tolvar
