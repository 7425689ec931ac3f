// feedkey PUBLIC.pem
//
// Prints the vendor's public key of PUBLIC.pem as a build carries it: the PEM block written
// again from the P-256 point read, without anything else the file holds. A file that is not
// such a public key (a private key, another curve, a damaged block) is refused, saying why.
#include <cstdio>
#include <exception>
#include <string>

#include "base/Exceptions.h"
#include "feed/FeedKey.h"
#include "stamp/SettingsFile.h"

using namespace tolvar;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: feedkey PUBLIC.pem\n", stderr);
        return 2;
    }
    try {
        const std::string pem = CanonicalFeedKey(ReadWholeFile(argv[1], "the key"));
        std::fputs(pem.c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    } catch (const EFeedKeyError& e) {
        std::fprintf(stderr, "feedkey: %s: %s\n", argv[1], e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "feedkey: %s\n", e.what());
    }
    return 1;
}
