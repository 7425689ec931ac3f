// The cost of TLS, timed under Wine by tools/bench/compare-https against the same loopback files
// over http and over https.
//
//   bench_https pass ROOT RUNS     the update pass of the shown window with the root URL ROOT,
//                                  RUNS times, each from the window's showing to its closing.
//                                  Once the files of the list are in place (a run before brought
//                                  them), every run is the no-change pass: the list, nothing to
//                                  fetch, the company checks. The first is the one a workstation
//                                  runs: the process's first requests, with what they set up.
//   bench_https request URL RUNS   FetchText of URL, RUNS times, each a request of its own
//
// Prints one line of name=value pairs: the first run, the median and the least of the rest.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/SystemColors.h"
#include "base/SettingsCipher.h"
#include "client/DownLoad.h"
#include "http/HttpClient.h"

using namespace tolvar;

namespace {

double Milliseconds() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * double(now.QuadPart) / double(frequency.QuadPart);
}

void Report(const char* mode, const std::string& what, std::vector<double> times) {
    const double first = times.front();
    std::vector<double> rest(times.begin() + (times.size() > 1 ? 1 : 0), times.end());
    std::sort(rest.begin(), rest.end());
    std::printf("mode=%s url=%s runs=%zu first_ms=%.2f median_ms=%.2f least_ms=%.2f\n", mode, what.c_str(),
                times.size(), first, rest[rest.size() / 2], rest.front());
}

// One pass of a fresh window, as the program runs it; false when it did not close in time or
// stopped at an error report.
bool RunPass(const std::string& root, double& ms) {
    TApplication* app = Application();
    app->SetTitle("TolvarClient");
    bool failed = false;
    app->OnMessageBox = [&](const std::wstring& text, const std::wstring&, UINT flags) {
        // The missing-host message is the pass's end here: no host is installed.
        if (flags & MB_ICONSTOP) {
            std::fprintf(stderr, "error report: %ls\n", text.c_str());
            failed = true;
        }
        return IDOK;
    };
    TfmDownloading* form = app->CreateForm<TfmDownloading>();
    form->UpdateRoot = root;
    form->EncodeMemo = EncryptText("CompanyCode=BENCH\r\n", SettingsKeyPhrase);
    const double start = Milliseconds();
    form->Show();
    while (!app->Terminated() && !failed && Milliseconds() - start < 120000) {
        app->ProcessMessages();
        Sleep(1);
    }
    ms = Milliseconds() - start;
    const bool closed = app->Terminated();
    DestroyApplication();
    return closed && !failed;
}

int Pass(const std::string& root, int runs) {
    SetSystemColorResolver(PlatformSystemColor);
    double ms = 0;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (!RunPass(root, ms)) return 1;
        times.push_back(ms);
    }
    Report("pass", root, times);
    return 0;
}

int Request(const std::string& url, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = Milliseconds();
        try {
            FetchText(url);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s: %s\n", url.c_str(), e.what());
            return 1;
        }
        times.push_back(Milliseconds() - start);
    }
    Report("request", url, times);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int runs = args.size() == 3 ? std::atoi(args[2].c_str()) : 0;
    if (runs > 0 && args[0] == "pass") return Pass(args[1], runs);
    if (runs > 0 && args[0] == "request") return Request(args[1], runs);
    std::fprintf(stderr, "usage: bench_https pass ROOT RUNS | request URL RUNS\n");
    return 2;
}
