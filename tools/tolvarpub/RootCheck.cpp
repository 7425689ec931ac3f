#include "RootCheck.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "ListRules.h"
#include "base/ListLine.h"
#include "base/Text.h"
#include "feed/FeedScope.h"
#include "feed/Manifest.h"
#include "feedsign/SigningKey.h"
#include "http/HttpClient.h"
#include "http/HttpErrors.h"

namespace tolvar {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kListName = "UpGradeList.txt";
constexpr std::string_view kLogos[] = {"mark.png", "mark.jpg", "mark.gif", "mark.bmp", "mark.ico"};
// How many names a finding spells out before it counts the rest.
constexpr size_t kNamesShown = 5;

std::string LineRef(size_t line) { return std::string(kListName) + " line " + std::to_string(line); }

std::string Plural(size_t count, const std::string& word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

std::string NamesOf(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size() && i < kNamesShown; ++i) text += (i ? ", " : "") + names[i];
    if (names.size() > kNamesShown) text += " and " + std::to_string(names.size() - kNamesShown) + " more";
    return text;
}

// The bodies in memory at once stay within kBodyBudget; one larger body waits until it is alone.
class ByteBudget {
public:
    void Acquire(uint64_t bytes) {
        std::unique_lock lock(mutex_);
        free_.wait(lock, [&] { return used_ == 0 || used_ + bytes <= kBodyBudget; });
        used_ += bytes;
    }
    void Release(uint64_t bytes) {
        {
            std::lock_guard lock(mutex_);
            used_ -= bytes;
        }
        free_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable free_;
    uint64_t used_ = 0;
};

// A wait cut short where the whole check must end: a server that sends a byte now and then
// would otherwise keep one request going for days.
Milliseconds Within(Clock::time_point deadline, Milliseconds timeout) {
    const auto left = std::chrono::duration_cast<Milliseconds>(deadline - Clock::now());
    if (left <= Milliseconds(0)) throw ETimeoutError("the check's time limit ran out");
    return std::min(timeout, left);
}

// The platform's socket stream, every wait of it within the check's end.
class DeadlineStream final : public TByteStream {
public:
    DeadlineStream(std::unique_ptr<TByteStream> inner, Clock::time_point deadline)
        : inner_(std::move(inner)), deadline_(deadline) {}
    void WriteAll(std::string_view data, Milliseconds timeout) override {
        inner_->WriteAll(data, Within(deadline_, timeout));
    }
    size_t Read(char* buffer, size_t size, Milliseconds timeout) override {
        return inner_->Read(buffer, size, Within(deadline_, timeout));
    }
    void Close() noexcept override { inner_->Close(); }

private:
    std::unique_ptr<TByteStream> inner_;
    Clock::time_point deadline_;
};

// What a request came to: the body or length, or why there is none.
struct Fetched {
    bool Ok = false;
    bool Missing = false;  // the server answered 404
    bool TimedOut = false;
    bool TooLong = false;  // the body went past the limit given
    std::string Body;
    int32_t Length = -1;
    std::string Error;
};

class Checker {
public:
    explicit Checker(const TCheckOptions& options) : options_(options), root_(options.RootUrl) {
        while (!root_.empty() && root_.back() == '/') root_.pop_back();
        deadline_ = started_ + options.TimeLimit;
    }

    TCheckResult Run() {
        if (options_.PublicKey) key_.emplace(TVerifyingKey::Load(*options_.PublicKey));
        CheckList();
        if (options_.Company) CheckCompany(*options_.Company);
        result_.Seconds = std::chrono::duration<double>(Clock::now() - started_).count();
        result_.Bytes = bytes_;
        for (const TFinding& f : result_.Findings) result_.Problems += f.Problem;
        return std::move(result_);
    }

private:
    void Problem(std::string text) { result_.Findings.push_back({true, std::move(text)}); }
    void Note(std::string text) { result_.Findings.push_back({false, std::move(text)}); }

    THTTPClient Client() const {
        THTTPClient client([deadline = deadline_](const std::string& host, uint16_t port, Milliseconds timeout) {
            return std::make_unique<DeadlineStream>(ConnectSocket(host, port, Within(deadline, timeout)), deadline);
        });
        client.SetConnectTimeout(options_.RequestTimeout);
        client.SetReadTimeout(options_.RequestTimeout);
        return client;
    }

    static void Classify(const std::exception& e, Fetched& f) {
        f.Error = e.what();
        if (dynamic_cast<const ETimeoutError*>(&e)) f.TimedOut = true;
        else if (const auto* http = dynamic_cast<const EHTTPProtocolError*>(&e); http && http->StatusCode == 404)
            f.Missing = true;
        else if (f.Error == "Response body too large") f.TooLong = true;
    }

    Fetched Get(const std::string& path, uint64_t limit = THTTPClient::DefaultBodyLimit) {
        Fetched f;
        try {
            THTTPClient client = Client();
            client.SetBodyLimit(limit);
            f.Body = client.FetchText(root_ + path);
            f.Ok = true;
        } catch (const std::exception& e) {
            Classify(e, f);
        }
        if (f.TimedOut) ++timeouts_;
        return f;
    }

    Fetched Head(const std::string& path) {
        Fetched f;
        try {
            f.Length = Client().FetchContentLength(root_ + path);
            f.Ok = true;
        } catch (const std::exception& e) {
            Classify(e, f);
        }
        if (f.TimedOut) ++timeouts_;
        return f;
    }

    bool OutOfTime() const { return Clock::now() >= deadline_ || timeouts_ >= options_.MaxTimeouts; }

    // The manifest at `path`, read and verified; none, with the problem reported, otherwise.
    std::optional<TManifest> VerifiedManifest(const std::string& path, const std::string& consequence) {
        const Fetched f = Get(path, kMaxManifestSize);
        if (!f.Ok) {
            Problem(path + ": " + (f.Missing ? "missing" : "cannot be fetched (" + f.Error + ")") + ": " + consequence);
            return std::nullopt;
        }
        TManifest manifest;
        try {
            manifest = ReadManifest(f.Body);
        } catch (const EManifestError& e) {
            Problem(path + ": not a manifest (" + e.what() + "): " + consequence);
            return std::nullopt;
        }
        if (!key_->Verifies(std::string_view(f.Body).substr(0, manifest.SignedLength), manifest.Signature)) {
            Problem(path + ": its signature is not the key's (" + options_.PublicKey->string() + "): " + consequence);
            return std::nullopt;
        }
        const ManifestTime now = ManifestNow();
        const std::string expires = FormatManifestTime(manifest.Expires);
        if (Expired(manifest, now)) {
            Problem(path + ": expired " + expires + ": " + consequence);
            return std::nullopt;
        }
        if (manifest.Expires - now < kExpiryWarning)
            Problem(path + ": expires " + expires + ", within 7 days: sign the root again and upload it before then");
        else Note(path + ": holds until " + expires);
        return manifest;
    }

    void CheckList() {
        std::optional<TManifest> manifest;
        if (key_)
            manifest = VerifiedManifest(std::string(kListManifestFile),
                                        "a build with the key takes no list and updates nothing");

        const Fetched list = Get(std::string(kUpgradeListFile));
        if (!list.Ok) {
            Problem(std::string(kUpgradeListFile) + ": " +
                    (list.Missing ? "missing" : "cannot be fetched (" + list.Error + ")") +
                    ": every workstation goes without its updates");
            return;
        }
        TServedList served = ReadServedList(list.Body);
        for (TFinding& f : served.Findings) result_.Findings.push_back(std::move(f));
        if (manifest) CheckListManifest(*manifest, list.Body);

        std::map<std::string, Sha256Digest> hashes;
        if (manifest)
            for (const TManifestEntry& entry : manifest->Entries) hashes[entry.Path] = entry.Hash;
        CheckFiles(served.Files, manifest ? &hashes : nullptr);
    }

    void CheckListManifest(const TManifest& manifest, const std::string& listText) {
        const std::string where(kListManifestFile);
        std::set<std::string> named;
        const TManifestEntry* list = nullptr;
        for (const TManifestEntry& entry : manifest.Entries) {
            named.insert(entry.Path);
            if (entry.Path == kUpgradeListFile) list = &entry;
        }
        const std::set<std::string> scope = ListManifestScope(TextToLines(listText));
        if (!list) Problem(where + ": does not name the list: a build with the key takes no list and updates nothing");
        else if (list->Hash != Sha256OfBytes(listText))
            Problem(where +
                    ": the list's SHA-256 is not the one it names (the list changed after signing, or a cache "
                    "serves an old one): a build with the key takes no list and updates nothing");
        std::vector<std::string> extra, lacking;
        std::set_difference(named.begin(), named.end(), scope.begin(), scope.end(), std::back_inserter(extra));
        std::set_difference(scope.begin(), scope.end(), named.begin(), named.end(), std::back_inserter(lacking));
        if (!extra.empty())
            Problem(where + ": names " + NamesOf(extra) +
                    ", which the list does not: a build with the key takes no list");
        if (!lacking.empty())
            Problem(where + ": does not name " + NamesOf(lacking) +
                    ", which the list does: a build with the key takes no list");
    }

    struct Outcome {
        bool Checked = false;
        std::vector<std::string> Problems;
    };

    void CheckFiles(const std::vector<TServedFile>& files, const std::map<std::string, Sha256Digest>* hashes) {
        result_.ListedFiles = files.size();
        std::vector<Outcome> outcomes(files.size());
        std::atomic<size_t> next{0};
        const auto work = [&] {
            for (size_t i; (i = next++) < files.size();) {
                if (OutOfTime()) continue;
                outcomes[i].Checked = CheckFile(files[i], hashes, outcomes[i]);
                if (!outcomes[i].Checked) outcomes[i].Problems.clear();
            }
        };
        const int jobs = std::clamp(options_.Jobs, 1, kMaxJobs);
        std::vector<std::thread> workers;
        for (int j = 0; j < jobs && size_t(j) < files.size(); ++j) workers.emplace_back(work);
        for (std::thread& worker : workers) worker.join();

        std::vector<std::string> unchecked;
        for (size_t i = 0; i < files.size(); ++i) {
            if (!outcomes[i].Checked) {
                unchecked.push_back(files[i].Path());
                continue;
            }
            ++result_.CheckedFiles;
            for (std::string& p : outcomes[i].Problems) Problem(std::move(p));
        }
        if (!unchecked.empty())
            Problem(
                Plural(unchecked.size(), "listed file") + " not checked (" + NamesOf(unchecked) + "): " +
                (Clock::now() < deadline_
                     ? "the server stopped answering (" + Plural(size_t(timeouts_.load()), "request") + " timed out)"
                     : "the check ran out of its " + std::to_string(options_.TimeLimit.count()) + " s"));
    }

    // False when the check's time ran out before the server could answer: the file counts as
    // not checked rather than as one that failed.
    bool CheckFile(const TServedFile& file, const std::map<std::string, Sha256Digest>* hashes, Outcome& out) {
        const std::string path = file.Path();
        const auto problem = [&](const std::string& what) { out.Problems.push_back(path + ": " + what); };
        const Fetched head = Head(path);
        if (head.TimedOut && Clock::now() >= deadline_) return false;
        if (!head.Ok) {
            if (head.Missing) problem("the server does not have it (HEAD: " + head.Error + "): no workstation gets it");
            else problem("its length cannot be probed (HEAD: " + head.Error + "): workstations keep their old file");
            return true;
        }
        if (file.Size) {
            if (head.Length < 0) problem("the HEAD answer carries no length: no download of it can complete");
            else if (head.Length != *file.Size)
                problem("the HEAD answer announces " + std::to_string(head.Length) + " bytes, the list " +
                        std::to_string(*file.Size) + ": every download of it fails");
        }
        // A body past the listed size fails the request before more of it is read.
        const uint64_t limit = file.Size ? uint64_t(*file.Size) : kMaxListedSizeOnServer;
        budget_.Acquire(limit);
        const Fetched body = Get(path, limit);
        budget_.Release(limit);
        if (body.TimedOut && Clock::now() >= deadline_) return false;
        if (!body.Ok) {
            if (body.TooLong) problem("its body is longer than the list's " + std::to_string(*file.Size) + " bytes");
            else problem("it cannot be fetched (GET: " + body.Error + ")");
            return true;
        }
        bytes_ += body.Body.size();
        if (file.Size && body.Body.size() != uint64_t(*file.Size))
            problem("its body has " + std::to_string(body.Body.size()) + " bytes, the list " +
                    std::to_string(*file.Size));
        // A file the manifest does not name is told once, with the manifest's other differences.
        if (hashes) {
            const auto signedHash = hashes->find(path);
            if (signedHash != hashes->end() && signedHash->second != Sha256OfBytes(body.Body))
                problem("its SHA-256 is not the one " +
                        std::string(kListManifestFile.substr(kListManifestFile.rfind('/') + 1)) +
                        " names (changed after signing, or a cache serves an old copy): a build with the key keeps its "
                        "old file");
        }
        return true;
    }

    // The company's folder, probed in the client's order.
    void CheckCompany(const std::string& code) {
        const std::string folder = std::string(kCompanyFolders) + code;
        const std::string where = "company " + code + ": ";
        std::optional<std::map<std::string, Sha256Digest>> signedFiles;
        if (key_) {
            const std::string manifestPath = folder + "/" + std::string(kCompanyManifestName);
            if (std::optional<TManifest> manifest =
                    VerifiedManifest(manifestPath, "a build with the key uses nothing of the company's folder")) {
                const std::set<std::string> scope = CompanyManifestScope(folder);
                std::vector<std::string> outside;
                for (const TManifestEntry& entry : manifest->Entries)
                    if (!scope.contains(entry.Path)) outside.push_back(entry.Path);
                if (!outside.empty())
                    Problem(manifestPath + ": names " + NamesOf(outside) +
                            ", outside the company's folder: a build with the key uses nothing of the folder");
                else {
                    signedFiles.emplace();
                    for (const TManifestEntry& entry : manifest->Entries) (*signedFiles)[entry.Path] = entry.Hash;
                }
            }
        }
        // A file of the folder as the client takes it: there, and with the key, signed as it is.
        const auto probe = [&](std::string_view name) -> std::optional<std::string> {
            const std::string path = folder + "/" + std::string(name);
            const Fetched f = Get(path);
            if (!f.Ok) {
                if (!f.Missing)
                    Problem(path + ": cannot be probed (" + f.Error + "): a workstation takes it for absent");
                if (signedFiles && signedFiles->contains(path))
                    Problem(path + ": " + std::string(kCompanyManifestName) +
                            " names it, but the server does not serve it");
                return std::nullopt;
            }
            if (signedFiles) {
                const auto signedHash = signedFiles->find(path);
                if (signedHash == signedFiles->end()) {
                    Problem(path + ": " + std::string(kCompanyManifestName) +
                            " does not name it: a build with the key ignores it");
                    return std::nullopt;
                }
                if (signedHash->second != Sha256OfBytes(f.Body)) {
                    Problem(path + ": its SHA-256 is not the one " + std::string(kCompanyManifestName) +
                            " names: a build with the key ignores it");
                    return std::nullopt;
                }
            }
            return f.Body;
        };

        bool found = false;
        if (probe("StopCheck.txt")) {
            found = true;
            Note(where + "StopCheck.txt is there: its workstations start the host with the stop flag");
        }

        if (const std::optional<std::string> version = probe("vercheck.txt")) {
            found = true;
            const std::string newest = ValueOf(TextToLines(*version), "TolvarClient");
            if (newest.empty()) {
                Problem(folder +
                        "/vercheck.txt: names no client version (no TolvarClient= line): no workstation updates its "
                        "client");
            } else if (Trim(newest) != newest) {
                Problem(folder + "/vercheck.txt: the version '" + newest +
                        "' has blanks around it, which the comparison counts: workstations fetch the client again on "
                        "every start");
            } else {
                Note(where + "vercheck.txt names the client " + newest +
                     ": workstations with an older one fetch Sandrel.exe");
                CheckStagedClient(folder, signedFiles ? &*signedFiles : nullptr);
            }
        }

        std::vector<std::string> logos;
        for (std::string_view logo : kLogos)
            if (probe(logo)) logos.emplace_back(logo);
        if (logos.empty() && !found) Note(where + "the folder holds none of the files the client looks for");
        if (logos.size() == 1) Note(where + "the logo is " + logos[0]);
        else if (logos.size() > 1)
            Problem(folder + ": holds the logos " + NamesOf(logos) +
                    ": every start fetches each of them in turn and keeps " + logos.back() + " only");
    }

    void CheckStagedClient(const std::string& folder, const std::map<std::string, Sha256Digest>* signedFiles) {
        const std::string path = folder + "/Sandrel.exe";
        const Fetched head = Head(path);
        if (!head.Ok) {
            Problem(path + ": " + (head.Missing ? "missing" : "its length cannot be probed (" + head.Error + ")") +
                    ": workstations with an older client try to fetch it on every start");
            return;
        }
        budget_.Acquire(kMaxListedSizeOnServer);
        const Fetched body = Get(path, kMaxListedSizeOnServer);
        budget_.Release(kMaxListedSizeOnServer);
        if (!body.Ok) {
            Problem(path + ": cannot be fetched (" + body.Error + ")");
            return;
        }
        bytes_ += body.Body.size();
        if (head.Length < 0 || uint64_t(head.Length) != body.Body.size())
            Problem(path + ": the HEAD answer announces " + std::to_string(head.Length) + " bytes, the body has " +
                    std::to_string(body.Body.size()) + ": every download of it fails");
        if (signedFiles) {
            const auto signedHash = signedFiles->find(path);
            if (signedHash == signedFiles->end())
                Problem(path + ": " + std::string(kCompanyManifestName) +
                        " does not name it: a build with the key never stages it");
            else if (signedHash->second != Sha256OfBytes(body.Body))
                Problem(path + ": its SHA-256 is not the one " + std::string(kCompanyManifestName) +
                        " names: a build with the key never stages it");
        }
    }

    // The largest body worth fetching: the client counts sizes in 32 bits.
    static constexpr uint64_t kMaxListedSizeOnServer = (uint64_t(1) << 31) - 1;

    const TCheckOptions& options_;
    std::string root_;
    const Clock::time_point started_ = Clock::now();
    Clock::time_point deadline_;
    std::optional<TVerifyingKey> key_;
    std::atomic<int> timeouts_{0};
    std::atomic<uint64_t> bytes_{0};
    ByteBudget budget_;
    TCheckResult result_;
};

}  // namespace

TServedList ReadServedList(std::string_view listText) {
    TServedList list;
    const auto problem = [&](size_t line, const std::string& what) {
        list.Findings.push_back({true, LineRef(line) + ": " + what});
    };
    bool haveServer = false, haveClient = false;
    std::string serverFolder, clientPath;
    std::map<std::string, size_t> localLines;  // LocalKey -> line
    std::vector<std::pair<size_t, std::string>> masks;
    const TextLines lines = TextToLines(listText);
    for (size_t i = 0; i < lines.size(); ++i) {
        const size_t n = i + 1;
        const auto [command, argument] = SplitListLine(lines[i]);
        if (command == "SPATH") {
            if (const std::string p = ServerPathProblem(argument); !p.empty())
                problem(n, "SPATH " + argument + ": " + p);
            serverFolder = ServerFolderOf(argument);
            haveServer = true;
        } else if (command == "CPATH") {
            if (const std::string p = LocalPathProblem(argument); !p.empty())
                problem(n, "CPATH " + argument + ": " + p);
            clientPath = WithBackslash(argument);
            haveClient = true;
        } else if (command == "MKDIR") {
            if (const std::string p = LocalPathProblem(argument); !p.empty())
                problem(n, "MKDIR " + argument + ": " + p);
            else if (argument.back() != '\\')
                problem(n, "MKDIR " + argument +
                               " makes the folders up to its last \"\\\" only: end it with \"\\\" "
                               "to make the last one too");
        } else if (command == "DFILE") {
            if (const std::string p = MaskProblem(argument); !p.empty()) problem(n, "DFILE " + argument + ": " + p);
            else masks.emplace_back(n, argument);
        } else if (command == "FILE") {
            TFileFields f = SplitFileFields(argument);
            if (!haveServer || !haveClient) {
                problem(n, "FILE " + f.FileName + " comes before any " + (haveServer ? "CPATH" : "SPATH") +
                               " line: the client has no " +
                               (haveServer ? "local folder to put it in" : "server folder to fetch it from"));
                continue;
            }
            if (const std::string p = FileNameProblem(f.FileName, false); !p.empty()) {
                problem(n, "FILE " + f.FileName + ": the name has " + p);
                continue;
            }
            if (const std::string p = ListedTimeProblem(f.Date, f.Time); !p.empty())
                problem(n, "FILE " + f.FileName + ": " + p);
            TServedFile file{n, f.FileName, serverFolder, clientPath + f.FileName, std::nullopt};
            int32_t size = 0;
            if (const std::string p = ListedSizeProblem(f.Size, size); !p.empty())
                problem(n, "FILE " + f.FileName + ": " + p);
            else file.Size = size;
            if (const auto [at, added] = localLines.emplace(LocalKey(file.LocalPath), n); !added) {
                problem(n, "FILE " + f.FileName + ": line " + std::to_string(at->second) + " lists " + file.LocalPath +
                               " too: two FILE lines for one local path fight over it on every start");
                continue;
            }
            list.Files.push_back(std::move(file));
        } else if (!Trim(lines[i]).empty()) {
            list.Findings.push_back({false, LineRef(n) + ": the client skips it (no command it knows)"});
        }
    }
    for (const auto& [line, mask] : masks)
        for (const TServedFile& file : list.Files)
            if (MaskMatches(mask, file.LocalPath))
                problem(line, "DFILE " + mask + " matches " + file.LocalPath + " (line " + std::to_string(file.Line) +
                                  "): every start deletes it and fetches it again");
    return list;
}

TCheckResult CheckRoot(const TCheckOptions& options) { return Checker(options).Run(); }

std::string SummaryLine(const TCheckOptions& options, const TCheckResult& result) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", result.Seconds);
    std::string line = "checked " + options.RootUrl + ": " +
                       (result.Problems ? Plural(result.Problems, "problem") : std::string("no problems")) + "; " +
                       std::to_string(result.CheckedFiles) + " of " + Plural(result.ListedFiles, "listed file") + " (" +
                       std::to_string(result.Bytes) + " bytes) in " + seconds + " s";
    if (options.Company) line += "; company " + *options.Company;
    return line;
}

}  // namespace tolvar
