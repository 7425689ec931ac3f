#include "SettingsFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "base/Exceptions.h"
#include "base/Text.h"

namespace tolvar {

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
}  // namespace

std::string ReadWholeFile(const std::string& path, std::string_view what) {
    const auto fail = [&] {
        return Exception("cannot read " + std::string(what) + " \"" + path + "\": " + std::strerror(errno));
    };
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) throw fail();
    std::string content;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) content.append(buffer, got);
    // A folder opens on some systems and fails only at the first read.
    if (std::ferror(file.get())) throw fail();
    return content;
}

std::string ReadSettingsFile(const std::string& path) {
    std::string plain = ReadWholeFile(path, "the settings file");
    if (plain.empty()) throw Exception("the settings file \"" + path + "\" is empty: there is nothing to seal");
    return plain;
}

std::vector<std::string> SettingNames(std::string_view plainText) {
    std::vector<std::string> names;
    for (const std::string& line : TextToLines(plainText)) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos) names.push_back(line.substr(0, eq));
    }
    return names;
}

}  // namespace tolvar
