#include "StampOptions.h"

#include "base/Exceptions.h"
#include "http/UpdateRoot.h"

namespace tolvar {

std::string StampUsage() {
    return "usage: TolvarStamp IN.exe OUT.exe --settings SETTINGS.txt [--update-root URL]\n"
           "                  [--feed-key PUBLIC.pem]\n"
           "Seals the Name=Value settings file and writes it, and the update server root URL and the\n"
           "vendor's public key when given, as resources into a copy of IN.exe named OUT.exe. A build\n"
           "with the key uses only the files the vendor signed with feedsign. The root URL is\n"
           "http://host[:port] or https://host[:port] (port 80 or 443 when none), without a path.\n";
}

StampOptions ParseStampArguments(const std::vector<std::string>& args) {
    StampOptions options;
    std::vector<std::string> files;
    bool haveSettings = false;
    for (size_t n = 0; n < args.size(); ++n) {
        const std::string& arg = args[n];
        if (arg == "-h" || arg == "--help") {
            options.Help = true;
            return options;
        }
        if (arg == "--settings" || arg == "--update-root" || arg == "--feed-key") {
            if (n + 1 >= args.size()) throw Exception(arg + " needs a value");
            const std::string& value = args[++n];
            if (arg == "--settings") {
                if (haveSettings) throw Exception("--settings is given twice");
                options.SettingsFile = value;
                haveSettings = true;
            } else if (arg == "--update-root") {
                if (options.UpdateRoot) throw Exception("--update-root is given twice");
                options.UpdateRoot = value;
            } else {
                if (options.FeedKeyFile) throw Exception("--feed-key is given twice");
                options.FeedKeyFile = value;
            }
        } else if (arg.starts_with("-") && arg.size() > 1) {
            throw Exception("unknown option " + arg);
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) throw Exception("give exactly two files, the program to stamp and the one to write");
    options.Input = files[0];
    options.Output = files[1];
    if (!haveSettings) throw Exception("--settings SETTINGS.txt is missing");
    if (options.UpdateRoot) {
        if (const std::string problem = UpdateRootProblem(*options.UpdateRoot); !problem.empty())
            throw Exception(problem);
    }
    return options;
}

std::string DirectoryOf(std::string_view path) {
    const size_t slash = path.find_last_of("\\/");
    if (slash == std::string_view::npos) {
        // "C:name" is relative to the drive's current folder
        if (path.size() >= 2 && path[1] == ':') return std::string(path.substr(0, 2));
        return ".";
    }
    // Keep the separator of a root ("C:\", "/") so that the folder stays the root.
    if (slash == 0 || (slash == 2 && path[1] == ':')) return std::string(path.substr(0, slash + 1));
    return std::string(path.substr(0, slash));
}

}  // namespace tolvar
