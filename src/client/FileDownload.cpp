// Streamed downloads through the platform's Internet service: 1024-byte reads, progress and a
// message pump after each, and a length probe (HEAD) that decides whether the file is complete.
//
// The body goes into a temporary file beside the target, which replaces the target only once
// the announced length has arrived: a broken connection or a changed file on the server never
// leaves a working program without its file.
#include <windows.h>

#include <algorithm>
#include <chrono>

#include "DownLoad.h"
#include "InternetTransfer.h"
#include "LocalFiles.h"
#include "PumpingRequests.h"
#include "app/Application.h"
#include "app/Cursor.h"
#include "app/Handles.h"
#include "app/SystemError.h"
#include "app/TemporaryFile.h"
#include "base/Exceptions.h"

namespace tolvar {

namespace {

// The body must keep moving: every span of the stall limit brings at least this much, or the
// transfer has stalled.
constexpr uint64_t kProgressBytes = 1024;

using Clock = TInternetTransfer::Clock;
using Step = TInternetTransfer::Step;

// Waits for a step of the transfer until `until`, keeping the window alive meanwhile: a stalled
// server must not freeze the gauge for the half minute it may cost.
template <class Wait>
Step WaitPumping(Clock::time_point until, Wait wait) {
    for (;;) {
        const Step step = wait(std::min(until, Clock::now() + std::chrono::milliseconds(100)));
        if (step != Step::TimedOut || Clock::now() >= until) return step;
        Application()->ProcessMessages();
    }
}

[[noreturn]] void RaiseCannotCreate(const std::string& path, DWORD code) {
    throw EFCreateError("Cannot create file \"" + path + "\". " + SystemErrorMessage(code));
}

// The body's file beside the target, replacing it only once complete; deleted otherwise.
class PartFile {
public:
    explicit PartFile(const std::string& target) : name_(DirectoryPart(target), kTemporaryPrefix) {
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
    UniqueFile probe(
        CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe) RaiseCannotCreate(target, GetLastError());
}

}  // namespace

std::optional<int32_t> TfmDownloading::GetServerFileSize(const std::string& url) {
    try {
        return FetchContentLengthPumping(url, *Proxy);
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

TDownloadResult TfmDownloading::DownloadFile(const std::string& url, const std::string& localPath,
                                             const TSignedSource& source) {
    // A build with the vendor's key fetches nothing the vendor did not sign.
    if (!Feed.Covers(source.Folder, url)) return TDownloadResult::Unverified;
    TBusyCursor busy;

    const std::string dir = DirectoryPart(localPath);
    if (dir.empty() || !DirectoryExists(dir)) CreateDirectoryWithParents(dir);

    // The road the HTTP client takes to the same server: both stacks go the same way or neither.
    TProxyRoute road;
    try {
        road = RouteForPumping(url, *Proxy);
    } catch (const std::exception&) {
        return TDownloadResult::Failed;  // no URL the client could request
    }
    TInternetTransfer get(url, road);
    const auto open = [&](Clock::time_point until) { return get.WaitOpen(until); };
    if (WaitPumping(Clock::now() + DownloadLimits.Open, open) != Step::Done) return TDownloadResult::Failed;

    // The length probe, on its own connection while the GET is open. When it fails (no answer,
    // an error status, a redirect) nothing is known about the file: it is left as it is. An
    // announced length of 0 is a real one: the file is empty.
    const std::optional<int32_t> announced = GetServerFileSize(url);
    if (!announced) return TDownloadResult::ProbeFailed;
    const int32_t expected = *announced;
    // Without a length no byte count can match: the transfer could only fail in the end. An
    // error page is not the file, whatever its length.
    const unsigned long status = get.Status();
    if (expected < 0 || (status != 0 && (status < 200 || status > 299))) return TDownloadResult::Failed;
    // What was signed decides the length too, before a byte is written: a listed file has the
    // signed list's Size, and a company file, of no signed length, a sane one. A server that
    // announces anything else would only fill the disk for a hash that cannot match.
    if (Feed.Keyed() && (source.Folder == TFeedFolder::List ? source.Size != expected : expected > kMaxCompanyFileSize))
        return TDownloadResult::Unverified;

    CheckReplaceable(localPath);
    PartFile part(localPath);
    TBodyCheck body = Feed.BodyCheckFor(source.Folder, url);
    // Counted wide: no body, however long, wraps the count; and one byte past the announced
    // length already decides, so a body without end is never read further.
    uint64_t received = 0;
    auto spanStart = Clock::now();
    uint64_t spanBytes = 0;
    TTransferPace pace(spanStart, DownloadLimits.Rate);
    std::string piece;
    const auto next = [&](Clock::time_point until) { return get.Next(piece, until); };
    for (;;) {
        // Reads that keep failing, or a transfer that stalls (in a span, or on average), end it
        // as if the body had ended.
        if (WaitPumping(std::min(spanStart + DownloadLimits.Stall, pace.StallsAt()), next) != Step::Done) break;
        pace.Add(piece.size());
        received += piece.size();
        if (received > uint64_t(expected)) return TDownloadResult::Failed;
        if (!piece.empty() && !part.Write(piece.data(), DWORD(piece.size()))) return TDownloadResult::Failed;
        if ((spanBytes += piece.size()) >= kProgressBytes) {
            spanStart = Clock::now();
            spanBytes = 0;
        }
        body.Update(piece.data(), piece.size());
        ShowProgress(int32_t(received), expected);
        Application()->ProcessMessages();
        if (piece.empty()) break;  // the end of the body
    }
    if (received != uint64_t(expected)) return TDownloadResult::Failed;
    // Changed on the server since it was signed, or changed on the way: the old file stays.
    if (!body.Matches()) return TDownloadResult::Unverified;
    part.MoveOver(localPath);
    return TDownloadResult::Complete;
}

}  // namespace tolvar
