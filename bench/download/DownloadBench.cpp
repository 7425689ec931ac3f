// One download, timed, and the process's peak working set after it. Run under Wine by
// tools/bench/compare-download, once per file, so that the peak belongs to that download.
//
//   bench_download client URL PATH [KEY.pem] DownloadFile of the shown update window, as the
//                                           download stage calls it; with the vendor's public
//                                           key, as a keyed build does: the list's manifest is
//                                           read first (not timed) and the body hashed as it
//                                           streams
//   bench_download nochange ROOT [KEY.pem]  the list stage of a pass that finds every listed file
//                                           fresh (the list fetched and interpreted); with the
//                                           vendor's public key, as a keyed build does it, each
//                                           fresh file hashed against the signed list
//   bench_download verify MANIFEST KEY.pem CALLS
//                                           the client's check of a manifest file (read, hash,
//                                           signature), CALLS times; the time per call
//   bench_download wininet URL PATH BYTES [nocache]
//                                           the same Internet calls in reads of BYTES, written
//                                           at once, without gauge or message pump: what the
//                                           platform's path alone costs; "nocache" adds
//                                           INTERNET_FLAG_NO_CACHE_WRITE
//
// Prints one line of name=value pairs.
#include <windows.h>
#include <psapi.h>
#include <wininet.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/SystemColors.h"
#include "client/DownLoad.h"
#include "feed/FeedKey.h"
#include "feed/FeedScope.h"
#include "feed/win/FeedVerifier.h"
#include "http/HttpClient.h"

using namespace tolvar;

namespace {

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

PROCESS_MEMORY_COUNTERS Memory() {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return pmc;
}

long long FileSizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (long long)data.nFileSizeHigh << 32 | data.nFileSizeLow;
}

void Report(const char* mode, const char* outcome, long long bytes, double seconds, size_t startSet) {
    const PROCESS_MEMORY_COUNTERS pmc = Memory();
    std::printf(
        "mode=%s result=%s bytes=%lld seconds=%.3f mib_per_s=%.1f start_working_set_kib=%zu "
        "peak_working_set_kib=%zu\n",
        mode, outcome, bytes, seconds, seconds > 0 ? double(bytes) / (1024.0 * 1024.0) / seconds : 0.0, startSet / 1024,
        size_t(pmc.PeakWorkingSetSize) / 1024);
    std::fflush(stdout);
}

std::string ReadFileBytes(const std::string& path) {
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, got);
        std::fclose(f);
    }
    return bytes;
}

int RunClient(const std::string& url, const std::string& path, const std::string& keyFile) {
    SetSystemColorResolver(PlatformSystemColor);
    TApplication* app = Application();
    app->SetTitle("TolvarClient");
    app->OnMessageBox = [](const std::wstring& text, const std::wstring&, UINT) {
        std::fprintf(stderr, "message box: %ls\n", text.c_str());
        return IDOK;
    };
    TfmDownloading* form = app->CreateForm<TfmDownloading>();
    form->Activated = true;  // the window without its pass: only this one download runs
    if (!keyFile.empty()) {
        // What the pass does before its downloads: the list's manifest, then the list.
        const std::string root = url.substr(0, url.find("/FTPHome/"));
        form->Feed.SetKey(ReadFileBytes(keyFile));
        if (!form->Feed.LoadListManifest(root, *form->Proxy) ||
            !form->Feed.AcceptList(root, FetchText(root + std::string(kUpgradeListFile)))) {
            std::fprintf(stderr, "the list of %s is not signed with %s\n", root.c_str(), keyFile.c_str());
            return 1;
        }
    }
    form->Show();
    form->ProgressBar1->StartProgressAnimation();
    form->SetCaption("Update...");
    form->ResetProgress();
    form->ProgressBar1->SetProgressText(path.substr(path.find_last_of('\\') + 1));
    app->ProcessMessages();

    // The listed Size is the file's own length, as the list gives it.
    const TSignedSource source{TFeedFolder::List, FetchContentLength(url)};
    const size_t startSet = Memory().WorkingSetSize;
    const double start = Seconds();
    TDownloadResult result;
    try {
        result = form->DownloadFile(url, path, source);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    const double seconds = Seconds() - start;
    const char* outcome = result == TDownloadResult::Complete     ? "Complete"
                          : result == TDownloadResult::Failed     ? "Failed"
                          : result == TDownloadResult::Unverified ? "Unverified"
                                                                  : "ProbeFailed";
    Report(keyFile.empty() ? "client" : "client-keyed", outcome, FileSizeOf(path), seconds, startSet);
    form->Close();
    DestroyApplication();
    return result == TDownloadResult::Complete ? 0 : 1;
}

int RunNoChange(const std::string& root, const std::string& keyFile) {
    SetSystemColorResolver(PlatformSystemColor);
    TApplication* app = Application();
    app->SetTitle("TolvarClient");
    TfmDownloading* form = app->CreateForm<TfmDownloading>();
    form->Activated = true;  // the window without its own pass: only its list stage runs
    FormatSettings().ShortDateFormat = "yyyy-mm-dd";
    FormatSettings().DateSeparator = '-';
    form->UpdateRoot = root;
    form->Feed.SetKey(keyFile.empty() ? std::nullopt : std::optional(ReadFileBytes(keyFile)));
    form->Show();
    app->ProcessMessages();

    const double start = Seconds();
    form->FetchUpgradeList();
    const size_t lines = form->ListBox1.size();
    form->ParseUpgradeList();
    const double seconds = Seconds() - start;
    const bool fresh = lines > 0 && form->FTPView.empty();
    std::printf("mode=%s result=%s lines=%zu queued=%zu seconds=%.3f\n",
                keyFile.empty() ? "nochange" : "nochange-keyed", fresh ? "AllFresh" : "NotAllFresh", lines,
                form->FTPView.size(), seconds);
    std::fflush(stdout);
    form->Close();
    DestroyApplication();
    return fresh ? 0 : 1;
}

int RunWinInet(const std::string& url, const std::string& path, DWORD bufferSize, bool noCache) {
    const size_t startSet = Memory().WorkingSetSize;
    const double start = Seconds();
    HINTERNET session = InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET request = session
                            ? InternetOpenUrlA(session, url.c_str(), nullptr, 0,
                                               INTERNET_FLAG_RELOAD | (noCache ? INTERNET_FLAG_NO_CACHE_WRITE : 0), 0)
                            : nullptr;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = request && file != INVALID_HANDLE_VALUE;
    std::vector<char> buffer(bufferSize);
    long long total = 0;
    while (ok) {
        DWORD read = 0, written = 0;
        if (!InternetReadFile(request, buffer.data(), bufferSize, &read)) ok = false;
        else if (read == 0) break;
        else if (!WriteFile(file, buffer.data(), read, &written, nullptr)) ok = false;
        total += read;
    }
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (request) InternetCloseHandle(request);
    if (session) InternetCloseHandle(session);
    const double seconds = Seconds() - start;
    const std::string mode = "wininet-" + std::to_string(bufferSize) + (noCache ? "-nocache" : "");
    Report(mode.c_str(), ok ? "Complete" : "Failed", total, seconds, startSet);
    return ok ? 0 : 1;
}

int RunVerify(const std::string& manifestFile, const std::string& keyFile, int calls) {
    const std::string text = ReadFileBytes(manifestFile);
    const TFeedVerifier verifier(ReadFeedPublicKey(ReadFileBytes(keyFile)));
    size_t entries = 0;
    const double start = Seconds();
    for (int i = 0; i < calls; ++i) {
        const std::optional<TManifest> manifest = verifier.VerifiedManifest(text, ManifestNow());
        if (!manifest) {
            std::fprintf(stderr, "%s does not verify with %s\n", manifestFile.c_str(), keyFile.c_str());
            return 1;
        }
        entries = manifest->Entries.size();
    }
    const double perCall = (Seconds() - start) / calls;
    const double readStart = Seconds();
    for (int i = 0; i < calls; ++i) entries = ReadManifest(text).Entries.size();
    const double readPerCall = (Seconds() - readStart) / calls;
    std::printf("mode=verify entries=%zu bytes=%zu calls=%d ms_per_call=%.3f read_ms_per_call=%.3f\n", entries,
                text.size(), calls, perCall * 1000, readPerCall * 1000);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if ((args.size() == 3 || args.size() == 4) && args[0] == "client")
        return RunClient(args[1], args[2], args.size() == 4 ? args[3] : std::string());
    if ((args.size() == 2 || args.size() == 3) && args[0] == "nochange")
        return RunNoChange(args[1], args.size() == 3 ? args[2] : std::string());
    if (args.size() == 4 && args[0] == "verify") return RunVerify(args[1], args[2], std::atoi(args[3].c_str()));
    if ((args.size() == 4 || (args.size() == 5 && args[4] == "nocache")) && args[0] == "wininet")
        return RunWinInet(args[1], args[2], DWORD(std::atol(args[3].c_str())), args.size() == 5);
    std::fprintf(stderr,
                 "usage: bench_download client URL PATH [KEY.pem] | nochange ROOT [KEY.pem] | "
                 "wininet URL PATH BYTES [nocache] | verify MANIFEST KEY.pem CALLS\n");
    return 2;
}
