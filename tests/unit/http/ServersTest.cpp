// The client against real servers on loopback, started by CTest fixtures: Python's own file
// server, which nobody here wrote, and the project's update server with its faults, which the
// download tests rely on.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "http/HttpClient.h"
#include "testserver/TestServer.h"

namespace tolvar {
namespace {

using testserver::FindTestServer;
using testserver::TTestServer;
using testserver::WriteWholeFile;

std::string AllByteValues(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return bytes;
}

int StatusOfFailure(const std::function<void()>& request) {
    try {
        request();
    } catch (const EHTTPProtocolError& e) {
        return e.StatusCode;
    }
    return 0;
}

TTestServer Server(const char* fixture) {
    TTestServer server = FindTestServer(fixture);
    if (!server) ADD_FAILURE() << "no server of the fixture " << fixture << ": run this test through ctest";
    return server;
}

TEST(PythonFileServerTest, GetHeadAndMissingFile) {
    const TTestServer server = Server("http_file_server");
    if (!server) return;
    const std::string bytes = AllByteValues(10000);
    WriteWholeFile(server.Root("files/data.bin"), bytes);

    EXPECT_EQ(FetchText(server.Url + "/files/data.bin"), bytes);
    EXPECT_EQ(FetchContentLength(server.Url + "/files/data.bin"), 10000);
    EXPECT_EQ(StatusOfFailure([&] { FetchText(server.Url + "/files/missing.bin"); }), 404);
    EXPECT_EQ(StatusOfFailure([&] { FetchContentLength(server.Url + "/files/missing.bin"); }), 404);
}

TEST(UpdateServerTest, ServesTheRootAndLogsEveryRequest) {
    const TTestServer server = Server("http_update_server");
    if (!server) return;
    server.SetFaults("{}");
    WriteWholeFile(server.Root("FTPHome/TolvarService/Up List.txt"), "SPATH /TolvarService\r\n");

    const std::string url = server.Url + "/FTPHome/TolvarService/Up List.txt";
    EXPECT_EQ(FetchText(url), "SPATH /TolvarService\r\n");
    EXPECT_EQ(FetchContentLength(url), 22);

    const std::string host = server.Url.substr(std::string("http://").size());
    const std::string headers =
        R"("headers": [["Content-Type", "text/html"], ["Host", ")" + host +
        R"json("], ["Accept", "text/html, */*"], ["User-Agent", "Mozilla/3.0 (compatible; TolvarClient)"]])json";
    std::vector<std::string> logged;
    for (const std::string& line : server.Requests())
        if (line.find(R"("target": "/FTPHome/TolvarService/Up List.txt")") != std::string::npos) logged.push_back(line);
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(
        logged[0],
        R"({"method": "GET", "target": "/FTPHome/TolvarService/Up List.txt", "version": "HTTP/1.1", )" + headers + "}");
    EXPECT_EQ(logged[1],
              R"({"method": "HEAD", "target": "/FTPHome/TolvarService/Up List.txt", "version": "HTTP/1.1", )" +
                  headers + "}");
}

TEST(UpdateServerTest, Faults) {
    const TTestServer server = Server("http_update_server");
    if (!server) return;
    const std::string file = AllByteValues(5000);
    struct Case {
        const char* fault;
        std::string body;   // of the GET; empty when it fails
        int32_t length;     // of the HEAD; 0 when it fails
        int getStatus = 0;  // of a failing GET
        int headStatus = 0;
    };
    std::string withExtra = file;
    while (withExtra.size() < 5200) withExtra += "EXTRA-BYTES-";
    withExtra.resize(5200);
    const std::vector<Case> cases = {
        {R"({})", file, 5000},
        {R"({"drop_after_percent": 50})", file.substr(0, 2500), 5000},
        {R"({"drop_after_bytes": 1234})", file.substr(0, 1234), 5000},
        {R"({"extra_bytes": 200})", withExtra, 5000},
        {R"({"extra_bytes": 200, "announce": "file"})", file, 5000},
        {R"({"no_length": true})", file, -1},
        {R"({"rate": 50000})", file, 5000},
        {R"({"status": 404, "methods": ["HEAD"]})", file, 0, 0, 404},
        {R"({"status": 500, "body": "broken"})", "", 0, 500, 500},
        {R"({"redirect": "/elsewhere/a.bin"})", "", 0, 302, 302},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        // A path of its own per case: the server must take up the new faults at once.
        const std::string path = "/faults/file" + std::to_string(++n) + ".bin";
        WriteWholeFile(server.Root(path.substr(1)), file);
        server.SetFaults(R"({")" + path + R"(": )" + c.fault + "}");
        const std::string url = server.Url + path;
        if (c.getStatus) EXPECT_EQ(StatusOfFailure([&] { FetchText(url); }), c.getStatus);
        else EXPECT_EQ(FetchText(url), c.body);
        if (c.headStatus) EXPECT_EQ(StatusOfFailure([&] { FetchContentLength(url); }), c.headStatus);
        else EXPECT_EQ(FetchContentLength(url), c.length);
    }
}

}  // namespace
}  // namespace tolvar
