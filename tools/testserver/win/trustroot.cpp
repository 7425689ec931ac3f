// trustroot add|remove|check CERT.pem
//
// Makes the Wine prefix it runs in trust a test authority (the tests' and the demo's, made when
// they run), or forget it again with every other authority of its name: the certificate goes
// into the machine's "Root" store of the prefix's own registry. Only ever for a prefix of the build tree: the host's
// trust is never touched. `check` says whether the system builds a trusted chain for the certificate, which is what the
// TLS checks ask.
//
// The store is opened through the registry provider: Wine's system provider takes an addition
// to "Root" but keeps a removal in memory only, so the authority would stay trusted.
#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<BYTE> ReadCertificate(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const std::string pem = text.str();
    DWORD size = 0;
    if (pem.empty() || !CryptStringToBinaryA(pem.data(), DWORD(pem.size()), CRYPT_STRING_BASE64HEADER, nullptr, &size,
                                             nullptr, nullptr))
        return {};
    std::vector<BYTE> der(size);
    CryptStringToBinaryA(pem.data(), DWORD(pem.size()), CRYPT_STRING_BASE64HEADER, der.data(), &size, nullptr, nullptr);
    der.resize(size);
    return der;
}

int Fail(const char* what) {
    std::fprintf(stderr, "trustroot: %s (error 0x%08lX)\n", what, GetLastError());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: trustroot add|remove|check CERT.pem\n", stderr);
        return 1;
    }
    const std::string action = argv[1];
    const std::vector<BYTE> der = ReadCertificate(argv[2]);
    if (der.empty()) return Fail("no PEM certificate in the file");
    PCCERT_CONTEXT certificate = CertCreateCertificateContext(X509_ASN_ENCODING, der.data(), DWORD(der.size()));
    if (!certificate) return Fail("not a certificate");

    if (action == "check") {
        CERT_CHAIN_PARA para{};
        para.cbSize = sizeof para;
        PCCERT_CHAIN_CONTEXT chain = nullptr;
        if (!CertGetCertificateChain(nullptr, certificate, nullptr, nullptr, &para, 0, nullptr, &chain))
            return Fail("no chain");
        const DWORD errors = chain->TrustStatus.dwErrorStatus;
        CertFreeCertificateChain(chain);
        std::printf("chain error status 0x%08lX: %s\n", errors, errors ? "not trusted" : "trusted");
        return errors ? 1 : 0;
    }

    HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_REGISTRY_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
    if (!store) return Fail("cannot open the Root store");
    int rc = 0;
    if (action == "add") {
        if (!CertAddCertificateContextToStore(store, certificate, CERT_STORE_ADD_REPLACE_EXISTING, nullptr))
            rc = Fail("cannot add the certificate");
    } else if (action == "remove") {
        // Every authority of its name, so that one a broken-off run left behind goes too (each
        // run makes its own); none at all is no error.
        while (PCCERT_CONTEXT found = CertFindCertificateInStore(store, X509_ASN_ENCODING, 0, CERT_FIND_SUBJECT_NAME,
                                                                 &certificate->pCertInfo->Subject, nullptr)) {
            if (!CertDeleteCertificateFromStore(found)) {
                rc = Fail("cannot remove the certificate");
                break;
            }
        }
    } else {
        std::fprintf(stderr, "trustroot: unknown action %s\n", action.c_str());
        rc = 1;
    }
    CertCloseStore(store, 0);
    CertFreeCertificateContext(certificate);
    return rc;
}
