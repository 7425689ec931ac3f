#pragma once
// Test code's side of the CTest server fixtures (cmake/TolvarServerFixture.cmake): where the
// server of a fixture listens and where its files are, named as this process names them.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "HostPaths.h"

namespace tolvar::testserver {

using test::LocalPath;
using test::UnixPath;

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes atomically (a temporary file renamed over the target), the directories made first:
// a server reading the file meanwhile sees the old or the new content, never half of it.
inline void WriteWholeFile(const std::string& path, const std::string& bytes) {
    const std::filesystem::path target(path);
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path());
    const std::filesystem::path temporary = target.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + temporary.string());
    }
    std::filesystem::rename(temporary, target);
}

// The first line of a file, without its line end.
inline std::string ReadUrlFile(const std::string& path) {
    std::string url = ReadWholeFile(path);
    while (!url.empty() && (url.back() == '\n' || url.back() == '\r' || url.back() == ' ')) url.pop_back();
    return url;
}

// A text field of a logged request line, {"method": "GET", "target": "/x", ...}; empty when the
// line has none.
inline std::string LogField(const std::string& json, const std::string& name) {
    const std::string key = "\"" + name + "\": \"";
    const size_t at = json.find(key);
    if (at == std::string::npos) return {};
    const size_t from = at + key.size();
    return json.substr(from, json.find('"', from) - from);
}

struct TTestServer {
    std::string Dir;  // the fixture's state directory; empty when the test runs without the fixture
    std::string Url;  // http://127.0.0.1:PORT (https://localhost:PORT over TLS), without a final "/"

    explicit operator bool() const { return !Url.empty(); }

    // A file below the state directory, "/" separating the parts of `relative`; under Windows
    // the separators are backslashes.
    std::string File(const std::string& relative) const { return LocalPath(Dir + "/" + relative); }

    // Another server of the fixture, named in <state>/url-<name> (the TLS fixture's); empty
    // when there is none.
    std::string NamedUrl(const std::string& name) const { return ReadUrlFile(File("url-" + name)); }

    // The files of the update server fixture and of the directory server fixture.
    std::string Root(const std::string& relative = {}) const {
        return File(relative.empty() ? "root" : "root/" + relative);
    }
    std::string RequestLog() const { return File("requests.log"); }
    std::string FaultsFile() const { return File("faults.json"); }

    // The request log, one JSON object a line, in arrival order.
    std::vector<std::string> Requests() const {
        std::vector<std::string> lines;
        std::istringstream text(ReadWholeFile(RequestLog()));
        for (std::string line; std::getline(text, line);)
            if (!line.empty()) lines.push_back(line);
        return lines;
    }
    // The method and target of each logged request from index `from` on: "GET /FTPHome/...".
    std::vector<std::string> RequestsSince(size_t from) const {
        const std::vector<std::string> lines = Requests();
        std::vector<std::string> requests;
        for (size_t i = from; i < lines.size(); ++i)
            requests.push_back(LogField(lines[i], "method") + " " + LogField(lines[i], "target"));
        return requests;
    }
    // The server reads the faults again on every request.
    void SetFaults(const std::string& json) const { WriteWholeFile(FaultsFile(), json); }
};

// The server of a fixture the test was registered with by tolvar_use_server.
inline TTestServer FindTestServer(std::string fixture) {
    for (char& c : fixture) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        else if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) c = '_';
    }
    const char* state = std::getenv(("TOLVAR_SERVER_" + fixture).c_str());
    TTestServer server;
    if (!state || !*state) return server;
    server.Dir = LocalPath(state);
    server.Url = ReadUrlFile(server.File("url"));
    return server;
}

}  // namespace tolvar::testserver
