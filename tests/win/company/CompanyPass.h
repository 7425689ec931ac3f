#pragma once
// What the company tests share: the company's folder on the test server, the requests as the
// harness lists them, and the stand-in's record of how it was started.
#include <windows.h>

#include <string>
#include <vector>

#include "PassHarness.h"
#include "Processes.h"

namespace tolvar::test {

// The folder of the company "ACME", below the server root.
inline const std::string kAcmeFolder = "FTPHome/TolvarService/CompanyCode/ACME/";
inline const std::string kListRequest = "GET /FTPHome/TolvarService/UpGradeList.txt";
inline std::string GetOf(const std::string& name) { return "GET /" + kAcmeFolder + name; }
inline std::string HeadOf(const std::string& name) { return "HEAD /" + kAcmeFolder + name; }

// A program the pass started: its file name, working directory and arguments.
struct Launch {
    std::string name, cwd, args;
};

inline Launch ParseLaunch(const std::string& line) {
    const size_t a = line.find('|');
    const size_t b = line.find('|', a + 1);
    if (a == std::string::npos || b == std::string::npos) return {line, "", ""};
    return {line.substr(0, a), line.substr(a + 1, b - a - 1), line.substr(b + 1)};
}

// The words the host sees: the arguments split at every single space, so that two spaces in a
// row give an empty word.
inline std::vector<std::string> Words(const std::string& args) {
    std::vector<std::string> words;
    size_t from = 0;
    for (size_t space; (space = args.find(' ', from)) != std::string::npos; from = space + 1)
        words.push_back(args.substr(from, space - from));
    words.push_back(args.substr(from));
    return words;
}

// (year - month) * day of the local date.
inline std::string TodaysDayCode() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return std::to_string((int(t.wYear) - int(t.wMonth)) * int(t.wDay));
}

// The recording stand-in, to serve as the newer client: started with "copy", it records that.
inline std::string RecorderBytes() { return ReadTestFile(LocalPath(TOLVAR_RECORDER_EXE)); }

inline std::string InService(const std::string& name) { return std::string(kServiceDirectory) + name; }

}  // namespace tolvar::test
