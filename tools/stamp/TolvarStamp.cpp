// TolvarStamp IN.exe OUT.exe --settings SETTINGS.txt [--update-root http[s]://host[:port]]
//             [--feed-key PUBLIC.pem]
//
// Makes a company build of the client without a compiler: seals the company's plain settings
// and writes them, the update server root URL and the vendor's public key as resources into a
// copy of the client.
#include <cstdio>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "base/SettingsCipher.h"
#include "base/Text.h"
#include "feed/FeedKey.h"
#include "stamp/ResourceStamper.h"
#include "stamp/SettingsFile.h"
#include "stamp/StampOptions.h"

using namespace tolvar;

namespace {

int Stamp(const StampOptions& options) {
    const std::string plain = ReadSettingsFile(options.SettingsFile);
    const std::string sealed = EncryptText(plain, SettingsKeyPhrase);
    std::optional<std::string> feedKey;
    if (options.FeedKeyFile) {
        // A private key must never travel in a build, and a key the client cannot read would
        // make a build that updates nothing. What travels is the key alone, written again from
        // its point: whatever else the file holds (a comment, a pass phrase) stays behind.
        try {
            feedKey = CanonicalFeedKey(ReadWholeFile(*options.FeedKeyFile, "the feed key"));
        } catch (const EFeedKeyError& e) {
            throw Exception("the feed key \"" + *options.FeedKeyFile + "\": " + e.Message());
        }
    }
    StampResources(options.Input, options.Output, sealed, options.UpdateRoot, feedKey);

    const std::vector<std::string> names = SettingNames(plain);
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
    std::printf("wrote %s, a copy of %s, with\n", options.Output.c_str(), options.Input.c_str());
    std::printf("  SETTINGS    %zu bytes, sealed from %s (%zu bytes, %zu settings: %s)\n", sealed.size(),
                options.SettingsFile.c_str(), plain.size(), names.size(), list.c_str());
    if (options.UpdateRoot)
        std::printf("  UPDATEROOT  %zu bytes: %s\n", options.UpdateRoot->size(), options.UpdateRoot->c_str());
    else std::printf("  UPDATEROOT  not given, left as it was\n");
    if (options.FeedKeyFile)
        std::printf("  FEEDKEY     the vendor's public key from %s: this build uses only what the vendor signed\n",
                    options.FeedKeyFile->c_str());
    else std::printf("  FEEDKEY     not given, left as it was\n");
    if (Trim(ValueOf(TextToLines(plain), "CompanyCode")).empty())
        std::fprintf(stderr, "TolvarStamp: warning: no CompanyCode in %s, so this build runs no company checks\n",
                     options.SettingsFile.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    StampOptions options;
    try {
        options = ParseStampArguments(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const Exception& e) {
        std::fprintf(stderr, "TolvarStamp: %s\n%s", e.Message().c_str(), StampUsage().c_str());
        return 1;
    }
    if (options.Help) {
        std::fputs(StampUsage().c_str(), stdout);
        return 0;
    }
    try {
        return Stamp(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "TolvarStamp: %s\n", e.what());
        return 1;
    }
}
