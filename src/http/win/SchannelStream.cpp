// TLS through the platform's Schannel (SSPI) as a layer over a connected byte stream: the
// handshake, the checks of what it agreed, then records encrypted on the way out and decrypted
// on the way in. Whatever carries the bytes below (a socket, a tunnel through a proxy) is the
// inner stream's business.
#define SECURITY_WIN32
// The newer credentials structure (SCH_CREDENTIALS) comes with the header's block-list part.
#define SCHANNEL_USE_BLACKLISTS
#include <windows.h>
#include <subauth.h>
#include <wincrypt.h>
#include <schannel.h>
#include <security.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "http/ByteStream.h"
#include "http/HttpErrors.h"
#include "http/win/ServerCertificate.h"

namespace tolvar {

namespace {

using Clock = std::chrono::steady_clock;

// What the context asks of Schannel. The certificate is not left to it: CheckServerCertificate
// decides, after the handshake, the same way on every system.
constexpr ULONG kContextFlags = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                                ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM | ISC_REQ_EXTENDED_ERROR |
                                ISC_REQ_MANUAL_CRED_VALIDATION;
constexpr DWORD kCredentialFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS | SCH_USE_STRONG_CRYPTO;
constexpr DWORD kAcceptedProtocols = SP_PROT_TLS1_2_CLIENT | SP_PROT_TLS1_3_CLIENT;
// A record is at most 16 KiB of data and some overhead; a peer whose record does not fit this
// is no TLS server.
constexpr size_t kMaxIncoming = 64 * 1024;
// The close_notify alert goes out on a connection that just delivered a response.
constexpr Milliseconds kCloseNotifyTimeout{1000};

std::string Hex(long code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
    return text;
}

[[noreturn]] void RaiseStatus(const std::string& what, SECURITY_STATUS status) {
    throw ESocketError("TLS " + what + " failed (" + Hex(status) + ")");
}

// One credentials handle for the process. Schannel resumes a session only for the handle it
// began under, so every request starting from this one lets the handshakes after the first be
// shorter. Nothing of ours changes it after it is made, and SSPI takes it from any thread. It is
// never freed: a request on a thread of its own may still use it while the process ends.
const CredHandle& SharedCredentials() {
    static const CredHandle handle = [] {
        CredHandle made{};
        // TLS 1.2 and 1.3 through the newer structure; a system that does not know it gets the
        // older one with TLS 1.2 alone.
        TLS_PARAMETERS tls{};
        tls.grbitDisabledProtocols = ~static_cast<DWORD>(kAcceptedProtocols);
        SCH_CREDENTIALS current{};
        current.dwVersion = SCH_CREDENTIALS_VERSION;
        current.dwFlags = kCredentialFlags;
        current.cTlsParameters = 1;
        current.pTlsParameters = &tls;
        SECURITY_STATUS status =
            AcquireCredentialsHandleW(nullptr, const_cast<SEC_WCHAR*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND, nullptr,
                                      &current, nullptr, nullptr, &made, nullptr);
        if (status != SEC_E_OK) {
            SCHANNEL_CRED older{};
            older.dwVersion = SCHANNEL_CRED_VERSION;
            older.grbitEnabledProtocols = SP_PROT_TLS1_2_CLIENT;
            older.dwFlags = kCredentialFlags;
            status = AcquireCredentialsHandleW(nullptr, const_cast<SEC_WCHAR*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND,
                                               nullptr, &older, nullptr, nullptr, &made, nullptr);
        }
        if (status != SEC_E_OK) RaiseStatus("credentials", status);
        return made;
    }();
    return handle;
}

// A token Schannel allocated for us to send.
class OutToken {
public:
    OutToken() : buffer_{0, SECBUFFER_TOKEN, nullptr}, desc_{SECBUFFER_VERSION, 1, &buffer_} {}
    OutToken(const OutToken&) = delete;
    OutToken& operator=(const OutToken&) = delete;
    ~OutToken() {
        if (buffer_.pvBuffer) FreeContextBuffer(buffer_.pvBuffer);
    }
    SecBufferDesc* Desc() { return &desc_; }
    std::string_view Bytes() const {
        return {static_cast<const char*>(buffer_.pvBuffer), buffer_.pvBuffer ? buffer_.cbBuffer : 0};
    }

private:
    SecBuffer buffer_;
    SecBufferDesc desc_;
};

std::wstring WideHost(const std::string& host) {
    const int size = MultiByteToWideChar(CP_ACP, 0, host.data(), static_cast<int>(host.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, host.data(), static_cast<int>(host.size()), wide.data(), size);
    return wide;
}

class TSchannelStream final : public TByteStream {
public:
    TSchannelStream(std::unique_ptr<TByteStream> inner, const std::string& host)
        : inner_(std::move(inner)), host_(host), wideHost_(WideHost(host)), credentials_(SharedCredentials()) {}

    TSchannelStream(const TSchannelStream&) = delete;
    TSchannelStream& operator=(const TSchannelStream&) = delete;

    ~TSchannelStream() override {
        if (haveContext_) DeleteSecurityContext(&context_);
    }

    void Handshake(Milliseconds timeout) {
        const auto deadline = Clock::now() + timeout;
        OutToken hello;
        DWORD granted = 0;
        const SECURITY_STATUS status =
            InitializeSecurityContextW(Credentials(), nullptr, wideHost_.data(), kContextFlags, 0, 0, nullptr, 0,
                                       &context_, hello.Desc(), &granted, nullptr);
        if (status != SEC_I_CONTINUE_NEEDED) RaiseStatus("handshake", status);
        haveContext_ = true;
        inner_->WriteAll(hello.Bytes(), Left(deadline));
        Negotiate(status, true, deadline);
        CheckAgreement();
        QueryContextAttributesW(&context_, SECPKG_ATTR_STREAM_SIZES, &sizes_);
    }

    void WriteAll(std::string_view data, Milliseconds timeout) override {
        while (!data.empty()) {
            const size_t size = std::min<size_t>(data.size(), sizes_.cbMaximumMessage);
            std::string record(sizes_.cbHeader + size + sizes_.cbTrailer, '\0');
            std::memcpy(record.data() + sizes_.cbHeader, data.data(), size);
            SecBuffer buffers[4] = {
                {sizes_.cbHeader, SECBUFFER_STREAM_HEADER, record.data()},
                {static_cast<ULONG>(size), SECBUFFER_DATA, record.data() + sizes_.cbHeader},
                {sizes_.cbTrailer, SECBUFFER_STREAM_TRAILER, record.data() + sizes_.cbHeader + size},
                {0, SECBUFFER_EMPTY, nullptr},
            };
            SecBufferDesc desc{SECBUFFER_VERSION, 4, buffers};
            const SECURITY_STATUS status = EncryptMessage(&context_, 0, &desc, 0);
            if (status != SEC_E_OK) RaiseStatus("encryption", status);
            inner_->WriteAll(
                std::string_view(record.data(), buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer),
                timeout);
            data.remove_prefix(size);
        }
    }

    size_t Read(char* buffer, size_t size, Milliseconds timeout) override {
        for (;;) {
            if (plainAt_ < plain_.size()) {
                const size_t n = std::min(size, plain_.size() - plainAt_);
                std::memcpy(buffer, plain_.data() + plainAt_, n);
                plainAt_ += n;
                return n;
            }
            if (peerClosed_) return 0;
            if (incomingSize_ > 0 && Decrypt(timeout)) continue;
            // A server ends the stream with close_notify; a connection that just stops may be
            // someone on the path cutting a response short.
            if (Receive(timeout) == 0) throw ESocketError("TLS connection closed without close_notify");
        }
    }

    void Close() noexcept override {
        if (haveContext_ && !peerClosed_) {
            try {
                DWORD shutdown = SCHANNEL_SHUTDOWN;
                SecBuffer control{sizeof shutdown, SECBUFFER_TOKEN, &shutdown};
                SecBufferDesc desc{SECBUFFER_VERSION, 1, &control};
                OutToken alert;
                DWORD granted = 0;
                if (ApplyControlToken(&context_, &desc) == SEC_E_OK &&
                    SUCCEEDED(InitializeSecurityContextW(Credentials(), &context_, wideHost_.data(), kContextFlags, 0,
                                                         0, nullptr, 0, nullptr, alert.Desc(), &granted, nullptr)) &&
                    !alert.Bytes().empty())
                    inner_->WriteAll(alert.Bytes(), kCloseNotifyTimeout);
            } catch (const std::exception&) {
                // The response is in; a peer that no longer listens changes nothing.
            }
        }
        inner_->Close();
    }

private:
    CredHandle* Credentials() { return &credentials_; }

    static Milliseconds Left(Clock::time_point deadline) {
        const auto left = std::chrono::duration_cast<Milliseconds>(deadline - Clock::now());
        if (left <= Milliseconds(0)) throw ETimeoutError("TLS handshake timed out");
        return left;
    }

    // More bytes from the peer after those held; 0 once it has closed.
    size_t Receive(Milliseconds timeout) {
        if (incoming_.size() - incomingSize_ < 4096) {
            if (incoming_.size() >= kMaxIncoming) throw ESocketError("TLS record too large");
            incoming_.resize(std::max<size_t>(incoming_.size() * 2, 16 * 1024));
        }
        const size_t n = inner_->Read(incoming_.data() + incomingSize_, incoming_.size() - incomingSize_, timeout);
        incomingSize_ += n;
        return n;
    }

    // Keeps the bytes Schannel left over (`extra` bytes at the end of what it was given).
    void KeepExtra(const SecBuffer& extra) {
        if (extra.BufferType != SECBUFFER_EXTRA || extra.cbBuffer == 0) {
            incomingSize_ = 0;
            return;
        }
        std::memmove(incoming_.data(), incoming_.data() + incomingSize_ - extra.cbBuffer, extra.cbBuffer);
        incomingSize_ = extra.cbBuffer;
    }

    // The handshake's exchanges from `status` on, until the context is complete. `needInput`:
    // the next call needs bytes from the peer (the first round) rather than those held.
    void Negotiate(SECURITY_STATUS status, bool needInput, Clock::time_point deadline) {
        while (status == SEC_I_CONTINUE_NEEDED || status == SEC_E_INCOMPLETE_MESSAGE ||
               status == SEC_I_INCOMPLETE_CREDENTIALS) {
            if (needInput && Receive(Left(deadline)) == 0)
                throw ESocketError("Connection closed inside the TLS handshake");
            SecBuffer in[2] = {{static_cast<ULONG>(incomingSize_), SECBUFFER_TOKEN, incoming_.data()},
                               {0, SECBUFFER_EMPTY, nullptr}};
            SecBufferDesc inDesc{SECBUFFER_VERSION, 2, in};
            OutToken reply;
            DWORD granted = 0;
            status = InitializeSecurityContextW(Credentials(), &context_, wideHost_.data(), kContextFlags, 0, 0,
                                                &inDesc, 0, nullptr, reply.Desc(), &granted, nullptr);
            if (status == SEC_E_INCOMPLETE_MESSAGE) {
                needInput = true;  // the record is not all here: keep it and read on
                continue;
            }
            // Sent even when the handshake failed: it is then the alert that tells the server.
            if (!reply.Bytes().empty()) {
                try {
                    inner_->WriteAll(reply.Bytes(), Left(deadline));
                } catch (const ESocketError&) {
                    if (!FAILED(status)) throw;
                }
            }
            if (FAILED(status)) RaiseStatus("handshake", status);
            if (status == SEC_I_INCOMPLETE_CREDENTIALS) {
                // The server asks for a client certificate, and there is none: go on without.
                status = SEC_I_CONTINUE_NEEDED;
                needInput = false;
                continue;
            }
            KeepExtra(in[1]);
            needInput = incomingSize_ == 0;
        }
        if (status != SEC_E_OK) RaiseStatus("handshake", status);
    }

    // The version agreed and the server's certificate, checked before a byte of the request goes
    // out.
    void CheckAgreement() {
        SecPkgContext_ConnectionInfo info{};
        const SECURITY_STATUS status = QueryContextAttributesW(&context_, SECPKG_ATTR_CONNECTION_INFO, &info);
        if (status != SEC_E_OK) RaiseStatus("connection query", status);
        if ((info.dwProtocol & kAcceptedProtocols) == 0)
            throw ESocketError("TLS: the server spoke a version before TLS 1.2 (" + Hex(long(info.dwProtocol)) + ")");

        PCCERT_CONTEXT certificate = nullptr;
        if (QueryContextAttributesW(&context_, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &certificate) != SEC_E_OK ||
            !certificate)
            throw ESocketError("TLS: the server sent no certificate");
        struct Free {
            PCCERT_CONTEXT c;
            ~Free() { CertFreeCertificateContext(c); }
        } owned{certificate};
        CheckServerCertificate(*certificate, host_);
    }

    // Decrypts the first record held. False when it is not all here yet.
    bool Decrypt(Milliseconds timeout) {
        SecBuffer buffers[4] = {{static_cast<ULONG>(incomingSize_), SECBUFFER_DATA, incoming_.data()},
                                {0, SECBUFFER_EMPTY, nullptr},
                                {0, SECBUFFER_EMPTY, nullptr},
                                {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc desc{SECBUFFER_VERSION, 4, buffers};
        const SECURITY_STATUS status = DecryptMessage(&context_, &desc, 0, nullptr);
        if (status == SEC_E_INCOMPLETE_MESSAGE) return false;
        if (status != SEC_E_OK && status != SEC_I_CONTEXT_EXPIRED && status != SEC_I_RENEGOTIATE)
            RaiseStatus("decryption", status);
        // The plain bytes lie inside the record, before what follows it: taken first.
        plain_.clear();
        plainAt_ = 0;
        SecBuffer extra{0, SECBUFFER_EMPTY, nullptr};
        for (const SecBuffer& b : buffers) {
            if (b.BufferType == SECBUFFER_DATA && b.pvBuffer)
                plain_.assign(static_cast<const char*>(b.pvBuffer), b.cbBuffer);
            if (b.BufferType == SECBUFFER_EXTRA) extra = b;
        }
        KeepExtra(extra);
        if (status == SEC_I_CONTEXT_EXPIRED) peerClosed_ = true;  // close_notify
        // The server begins a handshake message on the open connection (TLS 1.3 sends its
        // session tickets that way): Schannel takes it through the handshake's calls.
        if (status == SEC_I_RENEGOTIATE) Negotiate(SEC_I_CONTINUE_NEEDED, false, Clock::now() + timeout);
        return true;
    }

    std::unique_ptr<TByteStream> inner_;
    std::string host_;
    std::wstring wideHost_;
    CredHandle credentials_;
    CtxtHandle context_{};
    bool haveContext_ = false;
    SecPkgContext_StreamSizes sizes_{};
    std::vector<char> incoming_;  // bytes from the peer not yet decrypted
    size_t incomingSize_ = 0;
    std::string plain_;  // the last record's plain bytes, read from plainAt_ on
    size_t plainAt_ = 0;
    bool peerClosed_ = false;
};

}  // namespace

std::unique_ptr<TByteStream> StartTls(std::unique_ptr<TByteStream> connected, const std::string& host,
                                      Milliseconds timeout) {
    auto stream = std::make_unique<TSchannelStream>(std::move(connected), host);
    stream->Handshake(timeout);
    return stream;
}

}  // namespace tolvar
