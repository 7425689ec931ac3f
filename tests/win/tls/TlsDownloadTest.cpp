// Downloads over https: the platform's Internet service opens the URL as https and takes only a
// certificate the system accepts; nothing of a refused server's file is written, and a redirect
// is not followed off https.
#include <gtest/gtest.h>

#include <set>

#include "PassHarness.h"

using namespace tolvar;
using namespace tolvar::test;

namespace {

const char* const kNoCompany = "DomainIP=10.0.0.1\r\n";
const std::string kPath = "/FTPHome/TolvarService/files/a.dll";
// A listed file of a build without a key: no signed size to hold the download to.
const TSignedSource kListed{TFeedFolder::List, {}};

class TlsDownload : public ::testing::Test {
protected:
    void SetUp() override { pass.ServeFile(kPath.substr(1), newA); }
    std::string Url(const std::string& server) const { return pass.Server().NamedUrl(server) + kPath; }
    std::vector<std::string> Log() const { return pass.Server().Requests(); }

    PassHarness pass{"tls_server"};
    ScratchDir files{"tls-files"};
    const std::string local = files / "a.dll";
    const std::string oldA = "the installed a.dll";
    const std::string newA = std::string(6000, 'n') + "end";
};

}  // namespace

TEST_F(TlsDownload, AFileArrivesOverVerifiedTls) {
    TfmDownloading* form = pass.MakeForm({}, kNoCompany);
    const size_t before = Log().size();
    EXPECT_EQ(form->DownloadFile(pass.Server().Url + kPath, local, kListed), TDownloadResult::Complete);
    EXPECT_TRUE(ReadTestFile(local) == newA);
    const std::vector<std::string> log = Log();
    ASSERT_EQ(log.size(), before + 2) << "the GET and the length probe";
    for (size_t i = before; i < log.size(); ++i) {
        EXPECT_EQ(testserver::LogField(log[i], "listener"), "good") << log[i];
        EXPECT_EQ(testserver::LogField(log[i], "sni"), "localhost") << log[i];
    }
}

// Failed, not ProbeFailed: the GET itself was refused. Had the service taken the certificate, the
// length probe (the HTTP client, which refuses it) would have been what failed.
TEST_F(TlsDownload, ACertificateTheSystemDoesNotAcceptFailsTheGetAndLeavesTheFile) {
    TfmDownloading* form = pass.MakeForm({}, kNoCompany);
    for (const char* server : {"untrusted", "wrongname", "expired", "notyet", "plain", "broken"}) {
        SCOPED_TRACE(server);
        WriteTestFile(local, oldA);
        const size_t before = Log().size();
        EXPECT_EQ(form->DownloadFile(Url(server), local, kListed), TDownloadResult::Failed);
        EXPECT_EQ(ReadTestFile(local), oldA);
        EXPECT_EQ(FileNamesIn(files.Path()), std::set<std::string>{"a.dll"}) << "nothing temporary left";
        const std::vector<std::string> log = Log();
        for (size_t i = before; i < log.size(); ++i) EXPECT_EQ(log[i].find("\"target\""), std::string::npos) << log[i];
    }
}

TEST_F(TlsDownload, ARedirectOffHttpsIsNotFollowed) {
    const std::string plain = pass.Server().NamedUrl("plain") + kPath;
    pass.SetFaults("{\"" + kPath + "\": {\"redirect\": \"" + "http" + plain.substr(5) + "\", \"methods\": [\"GET\"]}}");
    TfmDownloading* form = pass.MakeForm({}, kNoCompany);
    WriteTestFile(local, oldA);
    const size_t before = Log().size();
    EXPECT_EQ(form->DownloadFile(pass.Server().Url + kPath, local, kListed), TDownloadResult::Failed);
    EXPECT_EQ(ReadTestFile(local), oldA);
    EXPECT_EQ(FileNamesIn(files.Path()), std::set<std::string>{"a.dll"});
    const std::vector<std::string> log = Log();
    for (size_t i = before; i < log.size(); ++i)
        EXPECT_EQ(testserver::LogField(log[i], "listener"), "good") << "followed to " << log[i];
}
