// tolvarpub ROOT --folder SOURCE SPATH CPATH [--folder ...]... [--mkdir DIR]... [--delete MASK]...
//           [--key KEY.pem [--valid-days N]]
//     writes an update server root: the release's files and the upgrade list that names them
// tolvarpub check ROOT_URL [--key PUBLIC.pem] [--company CODE] [--jobs N] [--timeout SECONDS]
//                [--time-limit SECONDS]
//     reads a live update server as a workstation would and reports every problem
//
// The vendor's side of publishing a release. The list is written from the files themselves, so
// that its sizes and times are the ones a workstation finds after the download; whatever a
// workstation could not act on is refused before anything is written. The check is what runs
// after every upload, and from a monitoring job: it exits 0 only when it found no problem.
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "Release.h"
#include "RootCheck.h"
#include "RootWriter.h"
#include "base/DateTime.h"
#include "feedsign/SigningKey.h"
#include "http/Url.h"

using namespace tolvar;
namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: tolvarpub ROOT --folder SOURCE SPATH CPATH [--folder SOURCE SPATH CPATH]...\n"
    "                 [--mkdir DIR]... [--delete MASK]... [--key KEY.pem [--valid-days N]]\n"
    "       tolvarpub check ROOT_URL [--key PUBLIC.pem] [--company CODE] [--jobs N]\n"
    "                       [--timeout SECONDS] [--time-limit SECONDS]\n"
    "\n"
    "Writes the update server root ROOT (the folder a server serves as \"/\"): each SOURCE folder's\n"
    "files, its sub-folders as folders of their own below SPATH and CPATH, copied to\n"
    "ROOT/FTPHome<SPATH>, and the upgrade list FTPHome/TolvarService/UpGradeList.txt naming them\n"
    "with their sizes and times. MKDIR lines make local folders, DFILE lines delete local files by\n"
    "a mask. With --key the root is signed as feedsign signs it, its manifests good for N days\n"
    "(1 to 3660, 90 unless given). ROOT is written whole, or not at all; an existing ROOT is\n"
    "replaced only when it is an update root itself.\n"
    "\n"
    "check reads the server at ROOT_URL (http://host[:port]) as a workstation would and prints\n"
    "one line per problem and a summary; it exits 0 when there is none, 1 when there are.\n"
    "--key checks the manifests against the vendor's public key (and that they hold for 7 days\n"
    "more), --company the company's folder.\n"
    "Every connect and every wait for data ends after --timeout seconds (default 30), and after 10\n"
    "requests that timed out the check gives up on the rest; requests run --jobs at a time\n"
    "(default 4, at most 32); the whole check ends after --time-limit seconds (default 1800).\n"
    "What it could not check counts as a problem.\n";

int Usage(const std::string& complaint) {
    if (!complaint.empty()) std::fprintf(stderr, "tolvarpub: %s\n", complaint.c_str());
    std::fputs(kUsage, stderr);
    return 2;
}

// A whole positive number, or none.
std::optional<long> Count(const std::string& text, long most) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const long value = std::stol(text);
    if (value < 1 || value > most) return std::nullopt;
    return value;
}

int Publish(const std::vector<std::string>& args) {
    const fs::path root = args[0];
    TReleaseInput input;
    std::optional<fs::path> keyFile;
    std::optional<long> validDays;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        const size_t left = args.size() - i - 1;
        if (option == "--folder" && left >= 3) {
            input.Folders.push_back({args[i + 1], args[i + 2], args[i + 3]});
            i += 3;
        } else if (option == "--mkdir" && left >= 1) {
            input.MakeDirs.push_back(args[++i]);
        } else if (option == "--delete" && left >= 1) {
            input.Deletes.push_back(args[++i]);
        } else if (option == "--key" && left >= 1 && !keyFile) {
            keyFile = args[++i];
        } else if (option == "--valid-days" && left >= 1 && !validDays) {
            validDays = Count(args[++i], kMaxValidDays);
            if (!validDays)
                return Usage("--valid-days takes a number of days from 1 to " + std::to_string(kMaxValidDays));
        } else {
            return Usage("unexpected " + option + (left ? "" : " (its values are missing)"));
        }
    }
    if (validDays && !keyFile) return Usage("--valid-days goes with --key");
    // The key is read first: a key that cannot sign stops the run before a file is copied.
    std::optional<TSigningKey> key;
    if (keyFile) key.emplace(TSigningKey::Load(*keyFile));
    const TRelease release = PlanRelease(input);
    // One expiry for the whole root, from the moment it is written.
    const ManifestTime expires = ExpiryAfter(ManifestNow(), int(validDays.value_or(kDefaultValidDays)));
    std::optional<TRootSignature> signature;
    if (key) signature.emplace(TRootSignature{*key, expires});
    const TWrittenRoot written = WriteRoot(release, root, signature ? &*signature : nullptr);
    std::printf("wrote %s: %zu file%s (%llu bytes) in %zu folder%s, and the upgrade list\n", root.string().c_str(),
                written.Files, written.Files == 1 ? "" : "s", static_cast<unsigned long long>(written.Bytes),
                release.Folders.size(), release.Folders.size() == 1 ? "" : "s");
    for (const TManifestPlan& plan : written.Manifests)
        std::printf("signed %s: %zu file%s\n", plan.ManifestFile.string().c_str(), plan.Files.size(),
                    plan.Files.size() == 1 ? "" : "s");
    if (key)
        std::printf("the manifests expire %s: publish or sign again before then\n",
                    FormatManifestTime(expires).c_str());
    return 0;
}

int Check(const std::vector<std::string>& args) {
    TCheckOptions options;
    options.RootUrl = args[1];
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& option = args[i];
        const bool value = i + 1 < args.size();
        if (option == "--key" && value && !options.PublicKey) {
            options.PublicKey = args[++i];
        } else if (option == "--company" && value && !options.Company) {
            options.Company = args[++i];
            if (options.Company->empty()) return Usage("--company needs a company code");
        } else if (option == "--jobs" && value) {
            const auto jobs = Count(args[++i], kMaxJobs);
            if (!jobs) return Usage("--jobs takes a number from 1 to " + std::to_string(kMaxJobs));
            options.Jobs = int(*jobs);
        } else if (option == "--timeout" && value) {
            const auto seconds = Count(args[++i], 300);
            if (!seconds) return Usage("--timeout takes a number of seconds from 1 to 300");
            options.RequestTimeout = std::chrono::seconds(*seconds);
        } else if (option == "--time-limit" && value) {
            const auto seconds = Count(args[++i], 7 * 24 * 3600);
            if (!seconds) return Usage("--time-limit takes a number of seconds");
            options.TimeLimit = std::chrono::seconds(*seconds);
        } else {
            return Usage("unexpected " + option + (value ? "" : " (its value is missing)"));
        }
    }
    // The client's HTTP speaks plain http on the build machine (TLS is the workstation's own
    // Schannel); a root it cannot read is no root to check.
    try {
        if (ParseUrl(options.RootUrl).Secure()) throw std::runtime_error("Unsupported protocol here: https");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolvarpub: %s (check reads update servers over plain http://)\n", e.what());
        return 1;
    }
    const TCheckResult result = CheckRoot(options);
    for (const TFinding& finding : result.Findings)
        std::printf("%s%s\n", finding.Problem ? "" : "note: ", finding.Text.c_str());
    std::printf("%s\n", SummaryLine(options, result).c_str());
    return result.Problems ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 1 && (args[0] == "-h" || args[0] == "--help")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (!args.empty() && args[0] == "check") {
            if (args.size() < 2 || args[1].starts_with("-")) return Usage("check needs the server's root URL");
            return Check(args);
        }
        if (args.size() < 2 || args[0].starts_with("-")) return Usage("");
        return Publish(args);
    } catch (const EReleaseRefused& refused) {
        for (const std::string& problem : refused.Problems) std::fprintf(stderr, "tolvarpub: %s\n", problem.c_str());
        std::fprintf(stderr, "tolvarpub: nothing written\n");
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tolvarpub: %s\n", e.what());
        return 1;
    }
}
