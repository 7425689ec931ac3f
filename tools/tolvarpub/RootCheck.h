#pragma once
// The check of a live update server, read as a workstation reads it: the upgrade list, each
// file it lists (length probe and body), the list's manifest with the vendor's key, and a
// company's folder. One finding a line; the check passes only without problems.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "http/ByteStream.h"

namespace tolvar {

struct TCheckOptions {
    std::string RootUrl;  // "http://updates.example.com", the update server root a build carries
    std::optional<std::filesystem::path> PublicKey;
    std::optional<std::string> Company;

    // Requests run this many at a time, each on a connection of its own as the client's.
    int Jobs = 4;
    // Every connect and every wait for data ends after this, as in the client.
    Milliseconds RequestTimeout{30000};
    // A server that stalls costs at most this many time-outs; the files not yet checked then are
    // reported unchecked.
    int MaxTimeouts = 10;
    // The whole check ends after this; what it could not check by then is reported unchecked.
    std::chrono::seconds TimeLimit{1800};
};

// A manifest that expires within this is a problem already: the vendor has that long to sign
// again and upload before every build with the key stops taking updates.
inline constexpr std::chrono::hours kExpiryWarning{7 * 24};

// Bounds that the options cannot widen.
inline constexpr int kMaxJobs = 32;
// Bodies held at once, in bytes; a single body larger than this is fetched alone.
inline constexpr uint64_t kBodyBudget = 256ull << 20;

struct TFinding {
    bool Problem = true;  // false: a note on what the check found, which changes nothing
    std::string Text;
};

struct TCheckResult {
    std::vector<TFinding> Findings;  // in the order of the list, then the company folder
    size_t Problems = 0;
    size_t ListedFiles = 0;   // FILE lines the client would fetch from
    size_t CheckedFiles = 0;  // of those, the ones the check got to
    uint64_t Bytes = 0;       // body bytes fetched
    double Seconds = 0;
};

TCheckResult CheckRoot(const TCheckOptions& options);

// The summary line that ends the check's report.
std::string SummaryLine(const TCheckOptions& options, const TCheckResult& result);

// A served list read as the client reads it, line by line: the files it makes a workstation
// fetch, and the problems of the lines themselves.
struct TServedFile {
    size_t Line = 0;
    std::string Name;
    std::string ServerFolder;     // "/FTPHome/TolvarService/", below the server root
    std::string LocalPath;        // "C:\Marvane\TolvarService\a.dll"
    std::optional<int32_t> Size;  // none when the size does not convert
    std::string Path() const { return ServerFolder + Name; }
};
struct TServedList {
    std::vector<TServedFile> Files;
    std::vector<TFinding> Findings;
};
TServedList ReadServedList(std::string_view listText);

}  // namespace tolvar
