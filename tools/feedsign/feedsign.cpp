// feedsign KEY.pem ROOT                       signs the update server root ROOT
// feedsign keygen PRIVATE.pem PUBLIC.pem      makes a key pair
//
// The vendor's side of signed updates. Signing writes a manifest beside the upgrade list
// (FTPHome/TolvarService/UpGradeList.sig) and one into each company folder (Company.sig), each
// naming the files the client reads there with their SHA-256, signed with the private key. A
// company build that carries the public key (TolvarStamp.exe --feed-key) then uses only what
// they name. Sign again after every change to the root.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "feedsign/FeedRoot.h"
#include "feedsign/SigningKey.h"

using namespace tolvar;
namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: feedsign KEY.pem ROOT\n"
    "       feedsign keygen PRIVATE.pem PUBLIC.pem\n"
    "Signs the update server root ROOT (the folder served as \"/\") with the P-256 private key\n"
    "KEY.pem: a manifest beside the upgrade list and one in each company folder. keygen makes a\n"
    "new key pair (openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 makes one too).\n";

int Sign(const fs::path& keyFile, const fs::path& root) {
    for (const TManifestPlan& plan : SignRoot(TSigningKey::Load(keyFile), root))
        std::printf("signed %s: %zu file%s\n", plan.ManifestFile.string().c_str(), plan.Files.size(),
                    plan.Files.size() == 1 ? "" : "s");
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
        if (args.size() == 2 && args[0] != "keygen" && !args[0].starts_with("-")) return Sign(args[0], args[1]);
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
