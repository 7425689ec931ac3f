// feedsign [--valid-days N] KEY.pem ROOT     signs the update server root ROOT
// feedsign keygen PRIVATE.pem PUBLIC.pem      makes a key pair
//
// The vendor's side of signed updates. Signing writes a manifest beside the upgrade list
// (FTPHome/TolvarService/UpGradeList.sig) and one into each company folder (Company.sig), each
// naming the files the client reads there with their SHA-256 and the time until which it holds
// (N days from now, 90 unless told), signed with the private key. A company build that carries
// the public key (TolvarStamp.exe --feed-key) then uses only what they name, and only until
// then. Sign again after every change to the root, and before the manifests expire.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "feedsign/FeedRoot.h"
#include "feedsign/SigningKey.h"

using namespace tolvar;
namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: feedsign [--valid-days N] KEY.pem ROOT\n"
    "       feedsign keygen PRIVATE.pem PUBLIC.pem\n"
    "Signs the update server root ROOT (the folder served as \"/\") with the P-256 private key\n"
    "KEY.pem: a manifest beside the upgrade list and one in each company folder, each good for N\n"
    "days (1 to 3660, 90 unless given); a client refuses it after that, so sign again before.\n"
    "keygen makes a new key pair (openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256\n"
    "makes one too).\n";

// A whole decimal number of days, or none.
std::optional<int> DaysOf(const std::string& text) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::atoi(text.c_str());
}

int Sign(const fs::path& keyFile, const fs::path& root, int validDays) {
    // One expiry for the whole root, from the moment it is signed.
    const ManifestTime expires = ExpiryAfter(ManifestNow(), validDays);
    for (const TManifestPlan& plan : SignRoot(TSigningKey::Load(keyFile), root, expires))
        std::printf("signed %s: %zu file%s\n", plan.ManifestFile.string().c_str(), plan.Files.size(),
                    plan.Files.size() == 1 ? "" : "s");
    std::printf("the manifests expire %s (in %d day%s): sign again before then\n", FormatManifestTime(expires).c_str(),
                validDays, validDays == 1 ? "" : "s");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 3 && args[0] == "keygen") {
            MakeKeyPair(args[1], args[2]);
            std::printf("wrote the private key %s (keep it secret, never ship it) and the public key %s\n",
                        args[1].c_str(), args[2].c_str());
            return 0;
        }
        std::vector<std::string> files;
        std::optional<int> validDays;
        bool understood = args.empty() || args[0] != "keygen";
        for (size_t n = 0; understood && n < args.size(); ++n) {
            if (args[n] == "--valid-days" && n + 1 < args.size() && !validDays) {
                validDays = DaysOf(args[++n]);
                if (!validDays) throw Exception("--valid-days takes a whole number of days, not " + args[n]);
            } else if (!args[n].starts_with("-")) {
                files.push_back(args[n]);
            } else {
                understood = false;
            }
        }
        if (understood && files.size() == 2) return Sign(files[0], files[1], validDays.value_or(kDefaultValidDays));
        if (args.size() == 1 && (args[0] == "-h" || args[0] == "--help")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        std::fputs(kUsage, stderr);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "feedsign: %s\n", e.what());
        return 1;
    }
}
