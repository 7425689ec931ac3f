// The whole update pass behind a proxy, with the prefix's proxy settings as a user's control
// panel writes them: every request, the downloads' included, through the proxy to a server whose
// name only the proxy resolves; the same through a configuration script, and over https through
// the proxy's tunnel. A proxy that refuses leaves every file as it was; without proxy settings
// the pass sends today's requests straight to the server. The host program starts every time.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <set>

#include "ServedPass.h"

using namespace tolvar;
using namespace tolvar::test;
using namespace tolvar::test::served;

namespace {

// What the pass asks of a server with the whole company folder, in any order.
const std::set<std::string> kPassRequests = {"GET /FTPHome/TolvarService/UpGradeList.txt",
                                             "GET /FTPHome/TolvarService/a.dll",
                                             "HEAD /FTPHome/TolvarService/a.dll",
                                             "GET /FTPHome/TolvarService/b.dll",
                                             "HEAD /FTPHome/TolvarService/b.dll",
                                             "GET /" + kAcmeFolder + "StopCheck.txt",
                                             "GET /" + kAcmeFolder + "vercheck.txt",
                                             "GET /" + kAcmeFolder + "mark.png",
                                             "HEAD /" + kAcmeFolder + "mark.png",
                                             "GET /" + kAcmeFolder + "mark.jpg",
                                             "GET /" + kAcmeFolder + "mark.gif",
                                             "GET /" + kAcmeFolder + "mark.bmp",
                                             "GET /" + kAcmeFolder + "mark.ico"};
// The HTTP client's header lines, in their order, and how many of its requests the pass makes:
// the list, the two length probes, the stop flag, the version file, five logos and the length
// probe of the one there. The downloads' GETs are the Internet service's own.
const std::vector<std::string> kClientHeaders = {"Content-Type", "Host", "Accept", "User-Agent"};
constexpr size_t kClientRequests = 11;

std::string PortOf(const std::string& url) { return url.substr(url.rfind(':') + 1); }

// The user's proxy settings in the prefix, as the system keeps them (the Connections key's
// DefaultConnectionSettings), for as long as the object lives; what was there before comes back
// after, so that the prefix's other users find it as it was.
class ProxySettings {
public:
    enum Flags : DWORD { Direct = 1, NamedProxy = 2, ScriptUrl = 4, AutoDetect = 8 };
    static constexpr const char* kKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";
    static constexpr const char* kValue = "DefaultConnectionSettings";

    // None at all, as in a fresh prefix.
    ProxySettings() {
        Save();
        RegDeleteValueA(key_, kValue);
    }
    ProxySettings(DWORD flags, const std::string& proxy, const std::string& bypass, const std::string& script) {
        Save();
        std::string blob;
        const auto dword = [&](DWORD v) { blob.append(reinterpret_cast<const char*>(&v), sizeof v); };
        const auto text = [&](const std::string& s) {
            dword(DWORD(s.size()));
            blob += s;
        };
        dword(0x46);
        dword(1);  // the settings' change counter
        dword(flags);
        text(proxy);
        text(bypass);
        text(script);
        blob.append(32, '\0');
        EXPECT_EQ(
            RegSetValueExA(key_, kValue, 0, REG_BINARY, reinterpret_cast<const BYTE*>(blob.data()), DWORD(blob.size())),
            ERROR_SUCCESS);
    }
    ~ProxySettings() {
        if (saved_)
            RegSetValueExA(key_, kValue, 0, REG_BINARY, reinterpret_cast<const BYTE*>(saved_->data()),
                           DWORD(saved_->size()));
        else RegDeleteValueA(key_, kValue);
        RegCloseKey(key_);
    }
    ProxySettings(const ProxySettings&) = delete;
    ProxySettings& operator=(const ProxySettings&) = delete;

private:
    void Save() {
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr) !=
            ERROR_SUCCESS)
            throw std::runtime_error("cannot open the proxy settings");
        DWORD size = 0;
        if (RegQueryValueExA(key_, kValue, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) return;
        std::string bytes(size, '\0');
        if (RegQueryValueExA(key_, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(bytes.data()), &size) ==
            ERROR_SUCCESS)
            saved_ = bytes.substr(0, size);
    }

    HKEY key_ = nullptr;
    std::optional<std::string> saved_;
};

void ServeThePass(const PassHarness& pass) {
    served::ServeThePass(pass, kNewA);
    WriteTestFile(InService("a.dll"), kOldA);
}

void ExpectTheFilesArrived(const PassOutcome& out) {
    EXPECT_TRUE(out.closed);
    EXPECT_TRUE(out.boxes.empty());
    EXPECT_TRUE(ReadTestFile(InService("a.dll")) == kNewA);
    EXPECT_EQ(ReadTestFile(InService("b.dll")), "bbb");
    EXPECT_EQ(PackedTimeOf(InService("a.dll")), kListedStamp);
    EXPECT_EQ(ReadTestFile(InService("mark.png")), "png");
    ExpectTheHostStarted(out, true);
}

void ExpectNothingTouched(const PassOutcome& out) {
    EXPECT_TRUE(out.closed);
    EXPECT_TRUE(out.boxes.empty());
    EXPECT_EQ(ReadTestFile(InService("a.dll")), kOldA);
    EXPECT_EQ(FileNamesIn(kServiceDirectory), (std::set<std::string>{"a.dll", "TH.exe", "TolvarHost.exe"}))
        << "nothing fetched, nothing temporary";
    ExpectTheHostStarted(out, false);
}

std::vector<std::string> HeaderNames(const std::string& logLine) {
    std::vector<std::string> names;
    const size_t start = logLine.find("\"headers\": [");
    for (size_t at = logLine.find("[\"", start); at != std::string::npos; at = logLine.find("[\"", at + 1)) {
        names.push_back(logLine.substr(at + 2, logLine.find('"', at + 2) - at - 2));
        at = logLine.find(']', at);
    }
    return names;
}

class ProxyPass : public ::testing::Test {
protected:
    testserver::TTestServer proxy = testserver::FindTestServer("proxy_server");
    std::string proxyAt = proxy.Url.substr(proxy.Url.find("://") + 3);  // 127.0.0.1:PORT

    void SetUp() override {
        ASSERT_TRUE(proxy) << "run this test through ctest";
        proxy.SetFaults("{}");
    }
    void TearDown() override { proxy.SetFaults("{}"); }

    size_t ProxyLogSize() const { return proxy.Requests().size(); }
    std::vector<std::string> ProxyLogSince(size_t from) const {
        const std::vector<std::string> log = proxy.Requests();
        return {log.begin() + std::min(from, log.size()), log.end()};
    }
};

}  // namespace

// Every request of the pass goes through the proxy, the absolute URL as its target and the
// client's header lines unchanged, whether the settings name the proxy or a script names it.
TEST_F(ProxyPass, EveryRequestGoesThroughTheProxyToAServerOnlyItCanReach) {
    for (const bool named : {true, false}) {
        SCOPED_TRACE(named ? "named proxy" : "configuration script");
        PassHarness pass{"proxy_update_server"};
        const std::string root = "http://updates.proxy.test:" + PortOf(pass.Server().Url);
        ServeThePass(pass);
        std::optional<ProxySettings> settings;
        if (named) settings.emplace(ProxySettings::Direct | ProxySettings::NamedProxy, proxyAt, "<local>;*.corp", "");
        else settings.emplace(ProxySettings::Direct | ProxySettings::ScriptUrl, "", "", proxy.Url + "/proxy.pac");
        TfmDownloading* form = pass.MakeForm({}, kAcme);
        form->UpdateRoot = root;
        const size_t before = ProxyLogSize();
        const PassOutcome out = pass.Run();
        ExpectTheFilesArrived(out);

        std::set<std::string> proxied;
        size_t fromTheClient = 0;
        for (const std::string& line : ProxyLogSince(before)) {
            const std::string method = testserver::LogField(line, "method");
            const std::string target = testserver::LogField(line, "target");
            if (target == "/proxy.pac") continue;  // the script, fetched by the system
            ASSERT_EQ(target.rfind(root + "/", 0), 0u) << line;
            proxied.insert(method + " " + target.substr(root.size()));
            fromTheClient += HeaderNames(line) == kClientHeaders;
        }
        EXPECT_EQ(proxied, kPassRequests);
        EXPECT_EQ(fromTheClient, kClientRequests) << "the client's header lines, unchanged";
        EXPECT_EQ(std::set<std::string>(out.requests.begin(), out.requests.end()), kPassRequests)
            << "the server got them all from the proxy";
    }
}

TEST_F(ProxyPass, HttpsGoesThroughTheProxysTunnelWithTheServersCertificateChecked) {
    PassHarness pass{"proxy_tls_server"};
    const std::string port = PortOf(pass.Server().Url);
    ServeThePass(pass);
    const ProxySettings settings(ProxySettings::Direct | ProxySettings::NamedProxy, proxyAt, "<local>", "");
    TfmDownloading* form = pass.MakeForm({}, kAcme);
    form->UpdateRoot = "https://updates.proxy.test:" + port;
    const size_t before = ProxyLogSize();
    const size_t served = pass.Server().Requests().size();
    const PassOutcome out = pass.Run();
    ExpectTheFilesArrived(out);

    const std::vector<std::string> tunnels = ProxyLogSince(before);
    for (const std::string& line : tunnels) {
        EXPECT_EQ(testserver::LogField(line, "method"), "CONNECT") << line;
        EXPECT_EQ(testserver::LogField(line, "target"), "updates.proxy.test:" + port) << line;
    }
    // One for each of the client's requests, and the downloads' (which the Internet service may
    // keep open for the next of them).
    EXPECT_GT(tunnels.size(), kClientRequests);
    const std::vector<std::string> log = pass.Server().Requests();
    EXPECT_EQ(std::set<std::string>(out.requests.begin(), out.requests.end()), kPassRequests);
    for (size_t i = served; i < log.size(); ++i) {
        EXPECT_EQ(testserver::LogField(log[i], "listener"), "good") << log[i];
        EXPECT_EQ(testserver::LogField(log[i], "sni"), "updates.proxy.test") << log[i];
    }
}

// A proxy that refuses, a script that cannot be fetched or run: the pass updates nothing and
// starts the host as usual. A failed script leaves the named proxy, here none, so the requests
// go straight on, and only the proxy knows the server's name.
TEST_F(ProxyPass, AProxyOrScriptThatFailsTouchesNoFileAndStillStartsTheHost) {
    const std::string refused = proxy.NamedUrl("refused");
    struct Case {
        const char* name;
        DWORD flags;
        std::string proxy, script, faults;
    };
    const std::vector<Case> cases = {
        {"refusing the connection", ProxySettings::NamedProxy, refused.substr(refused.find("://") + 3), "", "{}"},
        {"wanting a sign-in", ProxySettings::NamedProxy, proxyAt, "", R"({"status": 407})"},
        {"answering garbage", ProxySettings::NamedProxy, proxyAt, "", R"({"garbage": "SSH-2.0-OpenSSH_9.2\r\n\r\n"})"},
        {"redirecting", ProxySettings::NamedProxy, proxyAt, "", R"({"redirect": "http://portal.corp/"})"},
        {"a script that cannot be fetched", ProxySettings::ScriptUrl, "", refused + "/proxy.pac", "{}"},
        {"a script that does not parse", ProxySettings::ScriptUrl, "", proxy.Url + "/broken.pac", "{}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PassHarness pass{"proxy_update_server"};
        const std::string root = "http://updates.proxy.test:" + PortOf(pass.Server().Url);
        ServeThePass(pass);
        proxy.SetFaults(c.faults);
        const ProxySettings settings(ProxySettings::Direct | c.flags, c.proxy, "", c.script);
        TfmDownloading* form = pass.MakeForm({}, kAcme);
        form->UpdateRoot = root;
        const PassOutcome out = pass.Run();
        ExpectNothingTouched(out);
        EXPECT_TRUE(out.requests.empty()) << "the server was never reached";
    }
}

// Without proxy settings (as in a fresh prefix, which asks for detection, or with "direct"
// alone) the requests go straight to the server, as they always did. The server is named by an
// address the loopback rule does not know, so that the settings decide.
TEST_F(ProxyPass, WithoutProxySettingsTheRequestsGoStraightToTheServer) {
    for (const bool fresh : {true, false}) {
        SCOPED_TRACE(fresh ? "no settings" : "direct");
        PassHarness pass{"proxy_update_server"};
        const std::string root = "http://127.1:" + PortOf(pass.Server().Url);
        ServeThePass(pass);
        std::optional<ProxySettings> settings;
        if (fresh) settings.emplace();
        else settings.emplace(ProxySettings::Direct, "", "", "");
        TfmDownloading* form = pass.MakeForm({}, kAcme);
        form->UpdateRoot = root;
        const size_t before = ProxyLogSize();
        const size_t served = pass.Server().Requests().size();
        const PassOutcome out = pass.Run();
        ExpectTheFilesArrived(out);
        EXPECT_EQ(ProxyLogSince(before), std::vector<std::string>{});
        EXPECT_EQ(std::set<std::string>(out.requests.begin(), out.requests.end()), kPassRequests);
        const std::vector<std::string> log = pass.Server().Requests();
        const size_t fromTheClient = std::count_if(log.begin() + served, log.end(), [](const std::string& line) {
            return HeaderNames(line) == kClientHeaders && line.find("\"target\": \"/") != std::string::npos;
        });
        EXPECT_EQ(fromTheClient, kClientRequests) << "today's requests: the path as the target, the same header lines";
    }
}
