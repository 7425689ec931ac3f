// One download, timed, and the process's peak working set after it. Run under Wine by
// tools/bench/compare-download, once per file, so that the peak belongs to that download.
//
//   bench_download client URL PATH          DownloadFile of the shown update window, as the
//                                           download stage calls it
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
#include "app/Canvas.h"
#include "client/DownLoad.h"

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
    std::printf("mode=%s result=%s bytes=%lld seconds=%.3f mib_per_s=%.1f start_working_set_kib=%zu "
                "peak_working_set_kib=%zu\n",
                mode, outcome, bytes, seconds, seconds > 0 ? double(bytes) / (1024.0 * 1024.0) / seconds : 0.0,
                startSet / 1024, size_t(pmc.PeakWorkingSetSize) / 1024);
    std::fflush(stdout);
}

int RunClient(const std::string& url, const std::string& path) {
    SetSystemColorResolver(PlatformSystemColor);
    TApplication* app = Application();
    app->SetTitle("TolvarClient");
    app->OnMessageBox = [](const std::wstring& text, const std::wstring&, UINT) {
        std::fprintf(stderr, "message box: %ls\n", text.c_str());
        return IDOK;
    };
    TfmDownloading* form = app->CreateForm<TfmDownloading>();
    form->Activated = true;  // the window without its pass: only this one download runs
    form->Show();
    form->ProgressBar1->StartProgressAnimation();
    form->SetCaption("Update...");
    form->ResetProgress();
    form->ProgressBar1->SetProgressText(path.substr(path.find_last_of('\\') + 1));
    app->ProcessMessages();

    const size_t startSet = Memory().WorkingSetSize;
    const double start = Seconds();
    TDownloadResult result;
    try {
        result = form->DownloadFile(url, path);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    const double seconds = Seconds() - start;
    const char* outcome = result == TDownloadResult::Complete ? "Complete"
                          : result == TDownloadResult::Failed ? "Failed"
                                                              : "ProbeFailed";
    Report("client", outcome, FileSizeOf(path), seconds, startSet);
    form->Close();
    DestroyApplication();
    return result == TDownloadResult::Complete ? 0 : 1;
}

int RunWinInet(const std::string& url, const std::string& path, DWORD bufferSize, bool noCache) {
    const size_t startSet = Memory().WorkingSetSize;
    const double start = Seconds();
    HINTERNET session = InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET request = session ? InternetOpenUrlA(session, url.c_str(), nullptr, 0,
                                                  INTERNET_FLAG_RELOAD | (noCache ? INTERNET_FLAG_NO_CACHE_WRITE : 0), 0) : nullptr;
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

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "client") return RunClient(args[1], args[2]);
    if ((args.size() == 4 || (args.size() == 5 && args[4] == "nocache")) && args[0] == "wininet")
        return RunWinInet(args[1], args[2], DWORD(std::atol(args[3].c_str())), args.size() == 5);
    std::fprintf(stderr, "usage: bench_download client URL PATH | wininet URL PATH BYTES [nocache]\n");
    return 2;
}
