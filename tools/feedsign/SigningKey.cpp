#include "SigningKey.h"

#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/ec.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

#include "base/Exceptions.h"
#include "feed/FeedKey.h"

namespace tolvar {

namespace {

// OpenSSL's own reason for the last failure, when it gave one.
std::string Reason() {
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    if (!code) return {};
    char text[256];
    ERR_error_string_n(code, text, sizeof text);
    return std::string(": ") + text;
}

struct BioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};
using UniqueBio = std::unique_ptr<BIO, BioFree>;
struct MdContextFree {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using UniqueMdContext = std::unique_ptr<EVP_MD_CTX, MdContextFree>;

// An encrypted key would make OpenSSL ask for a pass phrase on the terminal; it fails instead.
int NoPassPhrase(char*, int, int, void*) { return -1; }

std::string BioText(BIO* bio) {
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio, &data);
    return std::string(data, size_t(size));
}

// Writes a new file (never over an old one) with the given permissions.
void WriteNewFile(const std::filesystem::path& file, const std::string& text, mode_t mode) {
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL, mode);
    if (fd < 0) throw Exception("cannot write " + file.string() + ": " + std::strerror(errno));
    const bool written = write(fd, text.data(), text.size()) == ssize_t(text.size());
    if (close(fd) != 0 || !written) {
        std::filesystem::remove(file);
        throw Exception("cannot write " + file.string());
    }
}

}  // namespace

void TSigningKey::Free::operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }

TSigningKey TSigningKey::Load(const std::filesystem::path& pemFile) {
    UniqueBio bio(BIO_new_file(pemFile.c_str(), "rb"));
    if (!bio) throw Exception("cannot read the key " + pemFile.string() + Reason());
    EVP_PKEY* key = PEM_read_bio_PrivateKey(bio.get(), nullptr, NoPassPhrase, nullptr);
    if (!key)
        throw Exception(pemFile.string() + " holds no private key that can be read without a pass phrase" + Reason());
    TSigningKey signingKey(key);
    char group[64] = "";
    if (!EVP_PKEY_is_a(key, "EC") ||
        !EVP_PKEY_get_utf8_string_param(key, OSSL_PKEY_PARAM_GROUP_NAME, group, sizeof group, nullptr) ||
        std::strcmp(group, SN_X9_62_prime256v1) != 0)
        throw Exception(pemFile.string() + " is not a P-256 (prime256v1) EC key");
    return signingKey;
}

EcdsaSignature TSigningKey::Sign(std::string_view bytes) const {
    UniqueMdContext context(EVP_MD_CTX_new());
    size_t size = 0;
    if (!context || EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, key_.get()) != 1 ||
        EVP_DigestSign(context.get(), nullptr, &size, reinterpret_cast<const unsigned char*>(bytes.data()),
                       bytes.size()) != 1)
        throw Exception("cannot sign" + Reason());
    std::string der(size, '\0');
    auto* out = reinterpret_cast<unsigned char*>(der.data());
    if (EVP_DigestSign(context.get(), out, &size, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()) !=
        1)
        throw Exception("cannot sign" + Reason());
    // OpenSSL writes the signature as DER; the manifest and CNG take r and s as they are.
    const unsigned char* in = out;
    std::unique_ptr<ECDSA_SIG, void (*)(ECDSA_SIG*)> signature(d2i_ECDSA_SIG(nullptr, &in, long(size)), ECDSA_SIG_free);
    EcdsaSignature raw;
    if (!signature || BN_bn2binpad(ECDSA_SIG_get0_r(signature.get()), raw.data(), 32) != 32 ||
        BN_bn2binpad(ECDSA_SIG_get0_s(signature.get()), raw.data() + 32, 32) != 32)
        throw Exception("cannot read back the signature" + Reason());
    return raw;
}

std::string SignManifest(const TSigningKey& key, ManifestTime expires, const std::vector<TManifestEntry>& entries) {
    const std::string body = ManifestBody(expires, entries);
    return SignedManifest(body, key.Sign(body));
}

void TVerifyingKey::Free::operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }

TVerifyingKey TVerifyingKey::Load(const std::filesystem::path& pemFile) {
    std::ifstream in(pemFile, std::ios::binary);
    if (!in) throw Exception("cannot read the key " + pemFile.string());
    const std::string pem((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    try {
        ReadFeedPublicKey(pem);
    } catch (const EFeedKeyError& e) {
        throw Exception(pemFile.string() + ": " + e.what());
    }
    UniqueBio bio(BIO_new_mem_buf(pem.data(), int(pem.size())));
    EVP_PKEY* key = bio ? PEM_read_bio_PUBKEY(bio.get(), nullptr, NoPassPhrase, nullptr) : nullptr;
    if (!key) throw Exception(pemFile.string() + " holds no public key OpenSSL can read" + Reason());
    return TVerifyingKey(key);
}

bool TVerifyingKey::Verifies(std::string_view bytes, const EcdsaSignature& signature) const {
    // The manifest carries r and s as they are; OpenSSL takes the signature as DER.
    std::unique_ptr<ECDSA_SIG, void (*)(ECDSA_SIG*)> sig(ECDSA_SIG_new(), ECDSA_SIG_free);
    BIGNUM* r = BN_bin2bn(signature.data(), 32, nullptr);
    BIGNUM* s = BN_bin2bn(signature.data() + 32, 32, nullptr);
    if (!sig || !r || !s || ECDSA_SIG_set0(sig.get(), r, s) != 1) {
        BN_free(r);
        BN_free(s);
        throw Exception("cannot read a signature" + Reason());
    }
    unsigned char* der = nullptr;
    const int derSize = i2d_ECDSA_SIG(sig.get(), &der);
    if (derSize <= 0) throw Exception("cannot read a signature" + Reason());
    std::unique_ptr<unsigned char, void (*)(void*)> derOwner(der, [](void* p) { OPENSSL_free(p); });
    UniqueMdContext context(EVP_MD_CTX_new());
    if (!context || EVP_DigestVerifyInit(context.get(), nullptr, EVP_sha256(), nullptr, key_.get()) != 1)
        throw Exception("cannot verify" + Reason());
    const int verdict = EVP_DigestVerify(context.get(), der, size_t(derSize),
                                         reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    ERR_clear_error();  // a signature that does not verify leaves its reason behind
    return verdict == 1;
}

void MakeKeyPair(const std::filesystem::path& privateFile, const std::filesystem::path& publicFile) {
    for (const auto& file : {privateFile, publicFile})
        if (std::filesystem::exists(file))
            throw Exception(file.string() + " exists already: a key is never overwritten");
    std::unique_ptr<EVP_PKEY, void (*)(EVP_PKEY*)> key(EVP_EC_gen(SN_X9_62_prime256v1), EVP_PKEY_free);
    UniqueBio privatePem(BIO_new(BIO_s_mem())), publicPem(BIO_new(BIO_s_mem()));
    if (!key || !privatePem || !publicPem ||
        !PEM_write_bio_PrivateKey(privatePem.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr) ||
        !PEM_write_bio_PUBKEY(publicPem.get(), key.get()))
        throw Exception("cannot make a key pair" + Reason());
    WriteNewFile(privateFile, BioText(privatePem.get()), 0600);
    try {
        WriteNewFile(publicFile, BioText(publicPem.get()), 0644);
    } catch (...) {
        std::filesystem::remove(privateFile);  // half a pair is no pair
        throw;
    }
}

Sha256Digest Sha256OfFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw Exception("cannot read " + file.string());
    UniqueMdContext context(EVP_MD_CTX_new());
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1)
        throw Exception("no SHA-256" + Reason());
    char buffer[64 * 1024];
    while (in) {
        in.read(buffer, sizeof buffer);
        if (in.gcount() > 0) EVP_DigestUpdate(context.get(), buffer, size_t(in.gcount()));
    }
    if (in.bad()) throw Exception("cannot read " + file.string());
    Sha256Digest digest;
    unsigned int size = 0;
    EVP_DigestFinal_ex(context.get(), digest.data(), &size);
    return digest;
}

Sha256Digest Sha256OfBytes(std::string_view bytes) {
    Sha256Digest digest;
    unsigned int size = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest.data(), &size, EVP_sha256(), nullptr) != 1)
        throw Exception("no SHA-256" + Reason());
    return digest;
}

}  // namespace tolvar
