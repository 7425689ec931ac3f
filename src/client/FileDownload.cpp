// Streamed downloads through the platform's Internet service: 1024-byte reads, progress and a
// message pump after each, and a length probe (HEAD) that decides whether the file is complete.
//
// The body goes into a temporary file beside the target, which replaces the target only once
// the announced length has arrived: a broken connection or a changed file on the server never
// leaves a working program without its file.
#include <windows.h>
#include <wininet.h>

#include <array>

#include "DownLoad.h"
#include "LocalFiles.h"
#include "app/Application.h"
#include "app/Cursor.h"
#include "app/Handles.h"
#include "app/SystemError.h"
#include "app/TemporaryFile.h"
#include "base/Exceptions.h"
#include "http/HttpClient.h"

namespace tolvar {

namespace {

struct InternetHandleTraits {
    using Handle = HINTERNET;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { InternetCloseHandle(h); }
};
using UniqueInternet = UniqueHandle<InternetHandleTraits>;

// Failed reads are tried again a few times, with a short rest, before the transfer gives up.
constexpr int kReadRetries = 5;
constexpr DWORD kRetryRestMs = 200;
constexpr DWORD kBufferSize = 1024;

[[noreturn]] void RaiseCannotCreate(const std::string& path, DWORD code) {
    throw EFCreateError("Cannot create file \"" + path + "\". " + SystemErrorMessage(code));
}

// The path without its last component (with its "\"), as the framework splits file names.
std::string DirectoryPart(const std::string& path) {
    const size_t cut = path.find_last_of("\\:");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// Creates a directory and its missing parents; a creation that fails is not reported here.
void ForceDirectories(std::string dir) {
    while (!dir.empty() && dir.back() == '\\') dir.pop_back();
    if (dir.empty()) throw EInOutError(0, "Unable to create directory");
    if (DirectoryExists(dir) || (dir.size() == 2 && dir[1] == ':')) return;
    const std::string parent = DirectoryPart(dir);
    if (!parent.empty() && parent != dir) ForceDirectories(parent);
    CreateDirectoryA(dir.c_str(), nullptr);
}

// The body's file beside the target, replacing it only once complete; deleted otherwise.
class PartFile {
public:
    explicit PartFile(const std::string& target) : name_(DirectoryPart(target), "tvd") {
        if (!name_) RaiseCannotCreate(target, GetLastError());
        file_.Reset(CreateFileA(name_.Path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
        if (!file_) RaiseCannotCreate(target, GetLastError());
    }

    bool Write(const void* data, DWORD size) {
        DWORD written = 0;
        return WriteFile(file_.Get(), data, size, &written, nullptr) && written == size;
    }
    // Closes the file and moves it over the target; raises the framework's create error when
    // the target cannot be replaced.
    void MoveOver(const std::string& target) {
        file_.Reset();
        if (!name_.MoveOver(target)) RaiseCannotCreate(target, GetLastError());
    }

private:
    TTemporaryFile name_;  // declared first: the handle below is closed before the file goes
    UniqueFile file_;
};

// A target that exists must be replaceable (not in use, not read-only): checked before the
// transfer, as creating it over the old one would have been.
void CheckReplaceable(const std::string& target) {
    if (!FileExists(target)) return;
    UniqueFile probe(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe) RaiseCannotCreate(target, GetLastError());
}

}  // namespace

std::optional<int32_t> TfmDownloading::GetServerFileSize(const std::string& url) {
    try {
        return FetchContentLength(url);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void TfmDownloading::ShowProgress(int32_t received, int32_t expected) {
    // MaxValue repaints the gauge at once even when it does not change; after every 1 KiB read
    // that would be a second paint of the same picture. Setting it only when it would change
    // something keeps every value as it would be.
    if (ProgressBar1->MaxValue() != expected || ProgressBar1->Value() > expected) ProgressBar1->SetMaxValue(expected);
    ProgressBar1->SetValue(received);
}

TDownloadResult TfmDownloading::DownloadFile(const std::string& url, const std::string& localPath) {
    // A build with the vendor's key fetches nothing the vendor did not sign.
    if (!Feed.Covers(url)) return TDownloadResult::Unverified;
    TBusyCursor busy;
    std::array<char, kBufferSize> buffer;

    const std::string dir = DirectoryPart(localPath);
    if (dir.empty() || !DirectoryExists(dir)) ForceDirectories(dir);

    UniqueInternet session(InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return TDownloadResult::Failed;
    // Always from the server; and no second copy of every download in the Internet cache.
    UniqueInternet request(InternetOpenUrlA(session.Get(), url.c_str(), nullptr, 0,
                                            INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!request) return TDownloadResult::Failed;

    // The length probe, on its own connection while the GET is open. When it fails (no answer,
    // an error status, a redirect) nothing is known about the file: it is left as it is. An
    // announced length of 0 is a real one: the file is empty.
    const std::optional<int32_t> announced = GetServerFileSize(url);
    if (!announced) return TDownloadResult::ProbeFailed;
    const int32_t expected = *announced;

    CheckReplaceable(localPath);
    PartFile part(localPath);
    TBodyCheck body = Feed.BodyCheckFor(url);
    int32_t received = 0;
    int failedReads = 0;
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request.Get(), buffer.data(), kBufferSize, &read)) {
            if (++failedReads > kReadRetries) break;  // gave up: as if the body had ended
            Application()->ProcessMessages();
            Sleep(kRetryRestMs);
            continue;
        }
        failedReads = 0;
        if (read > 0 && !part.Write(buffer.data(), read)) return TDownloadResult::Failed;
        body.Update(buffer.data(), read);
        received += int32_t(read);
        ShowProgress(received, expected);
        Application()->ProcessMessages();
        if (read == 0) break;  // the end of the body
    }
    if (received != expected) return TDownloadResult::Failed;
    // Changed on the server since it was signed, or changed on the way: the old file stays.
    if (!body.Matches()) return TDownloadResult::Unverified;
    part.MoveOver(localPath);
    return TDownloadResult::Complete;
}

}  // namespace tolvar
