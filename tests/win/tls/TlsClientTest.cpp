// The HTTP client over TLS against loopback servers whose certificates the run made: the same
// requests inside TLS with the server's name sent, and every server it must refuse refused
// before a request goes out.
#include <gtest/gtest.h>

#include <chrono>

#include "PassHarness.h"
#include "http/HttpClient.h"

using namespace tolvar;
using namespace tolvar::test;
using namespace std::chrono_literals;

namespace {

std::string PortOf(const std::string& url) { return url.substr(url.rfind(':') + 1); }

class TlsClient : public ::testing::Test {
protected:
    void SetUp() override { pass.ServeFile("FTPHome/TolvarService/a.txt", kBody); }
    std::string Url(const std::string& server) const { return pass.Server().NamedUrl(server) + kPath; }
    std::vector<std::string> Log() const { return pass.Server().Requests(); }

    PassHarness pass{"tls_server"};
    // Longer than a record of TLS, so that the body comes in several.
    const std::string kBody = "line one\r\nline two\r\n" + std::string(40000, 'x') + "\r\nlast";
    const std::string kPath = "/FTPHome/TolvarService/a.txt";
};

TEST_F(TlsClient, SendsTheSameRequestInsideTlsAndNamesTheServer) {
    const size_t before = Log().size();
    const std::string good = pass.Server().Url + kPath;
    EXPECT_EQ(THTTPClient().FetchText(good), kBody);
    EXPECT_EQ(THTTPClient().FetchContentLength(good), int32_t(kBody.size()));
    // A certificate from an intermediate authority, sent with its chain, is one of the system's.
    EXPECT_EQ(THTTPClient().FetchText(Url("chained")), kBody);

    const std::vector<std::string> log = Log();
    ASSERT_EQ(log.size(), before + 3);
    const std::string ports[] = {PortOf(pass.Server().Url), PortOf(pass.Server().Url),
                                 PortOf(pass.Server().NamedUrl("chained"))};
    for (size_t i = 0; i < 3; ++i) {
        const std::string& line = log[before + i];
        SCOPED_TRACE(line);
        // The headers as the plain request has them, in its order, and nothing else.
        EXPECT_NE(line.find("{\"method\": \"" + std::string(i == 1 ? "HEAD" : "GET") + "\", \"target\": \"" + kPath +
                            "\", \"version\": \"HTTP/1.1\", \"headers\": [[\"Content-Type\", \"text/html\"], "
                            "[\"Host\", \"localhost:" +
                            ports[i] +
                            "\"], [\"Accept\", \"text/html, */*\"], "
                            "[\"User-Agent\", \"Mozilla/3.0 (compatible; TolvarClient)\"]], "),
                  std::string::npos);
        EXPECT_EQ(testserver::LogField(line, "sni"), "localhost");
        const std::string version = testserver::LogField(line, "tls");
        EXPECT_TRUE(version == "TLSv1.2" || version == "TLSv1.3") << version;
    }
}

TEST_F(TlsClient, RefusesEveryServerItCannotTrustBeforeTheRequestGoesOut) {
    struct Case {
        const char* server;
        const char* says;
    };
    const Case cases[] = {
        {"untrusted", "issued by an authority the system does not trust"},
        {"wrongname", "issued for another name"},
        {"expired", "outside its validity period"},
        {"notyet", "outside its validity period"},
        {"clientonly", "not for TLS servers"},
        // Windows refuses the old version in the handshake; Wine's Schannel agrees to it, and
        // the check of the version agreed refuses it then.
        {"tls11", "TLS"},
        {"plain", "TLS handshake"},
        {"broken", "Connection closed inside the TLS handshake"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.server);
        const size_t before = Log().size();
        for (const bool head : {false, true}) {
            THTTPClient client;
            client.SetConnectTimeout(10s);
            try {
                if (head) client.FetchContentLength(Url(c.server));
                else client.FetchText(Url(c.server));
                ADD_FAILURE() << "accepted";
            } catch (const ESocketError& e) {
                EXPECT_NE(e.Message().find(c.says), std::string::npos) << e.Message();
            }
        }
        const std::vector<std::string> log = Log();
        for (size_t i = before; i < log.size(); ++i) EXPECT_EQ(log[i].find("\"target\""), std::string::npos) << log[i];
    }
}

TEST_F(TlsClient, AServerSilentAfterTheHandshakeRunsIntoTheReadTimeOut) {
    THTTPClient client;
    client.SetReadTimeout(1500ms);
    EXPECT_THROW(client.FetchText(Url("silent")), ETimeoutError);
}

}  // namespace
