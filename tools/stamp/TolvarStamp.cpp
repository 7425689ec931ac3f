// TolvarStamp IN.exe OUT.exe --settings SETTINGS.txt [--update-root http://host[:port]]
//
// Makes a company build of the client without a compiler: seals the company's plain settings
// and writes them, and the update server root URL, as resources into a copy of the client.
#include <cstdio>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "base/SettingsCipher.h"
#include "base/Text.h"
#include "stamp/ResourceStamper.h"
#include "stamp/SettingsFile.h"
#include "stamp/StampOptions.h"

using namespace tolvar;

namespace {

int Stamp(const StampOptions& options) {
    const std::string plain = ReadSettingsFile(options.SettingsFile);
    const std::string sealed = EncryptText(plain, SettingsKeyPhrase);
    StampResources(options.Input, options.Output, sealed, options.UpdateRoot);

    const std::vector<std::string> names = SettingNames(plain);
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
    std::printf("wrote %s, a copy of %s, with\n", options.Output.c_str(), options.Input.c_str());
    std::printf("  SETTINGS    %zu bytes, sealed from %s (%zu bytes, %zu settings: %s)\n", sealed.size(),
                options.SettingsFile.c_str(), plain.size(), names.size(), list.c_str());
    if (options.UpdateRoot)
        std::printf("  UPDATEROOT  %zu bytes: %s\n", options.UpdateRoot->size(), options.UpdateRoot->c_str());
    else
        std::printf("  UPDATEROOT  not given, left as it was\n");
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
