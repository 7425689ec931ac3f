// sealsettings SETTINGS.txt [OUT]
//
// Seals a company's plain Name=Value settings into the one line of Base64 the client decrypts
// at start-up. OUT gets exactly that line, with no line break, ready to be embedded as a
// resource; without OUT the line goes to standard output followed by a line break.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

#include "base/Exceptions.h"
#include "base/SettingsCipher.h"
#include "stamp/SettingsFile.h"

using namespace tolvar;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

void WriteOutput(const std::string& path, const std::string& sealed) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) throw Exception("cannot create \"" + path + "\": " + std::strerror(errno));
    const bool written = std::fwrite(sealed.data(), 1, sealed.size(), file.get()) == sealed.size();
    if (std::fclose(file.release()) != 0 || !written) {
        std::remove(path.c_str());  // a half-written ciphertext would decrypt to garbage
        throw Exception("cannot write \"" + path + "\"");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fputs("usage: sealsettings SETTINGS.txt [OUT]\n", stderr);
        return 1;
    }
    try {
        const std::string sealed = EncryptText(ReadSettingsFile(argv[1]), SettingsKeyPhrase);
        if (argc == 3) WriteOutput(argv[2], sealed);
        else std::printf("%s\n", sealed.c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sealsettings: %s\n", e.what());
        return 1;
    }
}
