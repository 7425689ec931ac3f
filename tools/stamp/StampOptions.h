#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvar {

// What `TolvarStamp IN.exe OUT.exe --settings FILE [--update-root URL] [--feed-key PUBLIC.pem]`
// asks for.
struct StampOptions {
    std::string Input;
    std::string Output;
    std::string SettingsFile;
    std::optional<std::string> UpdateRoot;
    std::optional<std::string> FeedKeyFile;  // the vendor's public key, PEM
    bool Help = false;                       // -h or --help: print the usage, stamp nothing
};

// The arguments after the program name, options and the two files in any order. A bad command
// line raises an Exception whose message says what is wrong with it.
StampOptions ParseStampArguments(const std::vector<std::string>& args);

std::string StampUsage();

// The folder a file path names its file in ("." for a bare file name), for a temporary file
// beside it. Both "\" and "/" separate.
std::string DirectoryOf(std::string_view path);

}  // namespace tolvar
