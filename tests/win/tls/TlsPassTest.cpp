// The whole update pass with an https root: every request over verified TLS, the files arrive
// and are stamped; a root whose certificate the system does not accept leaves every file as it
// was, and the host program starts as usual either way.
#include <gtest/gtest.h>

#include <set>

#include "ServedPass.h"

using namespace tolvar;
using namespace tolvar::test;
using namespace tolvar::test::served;

TEST(TlsPass, GoesOverTlsFromTheListToTheLogoAndStampsTheFiles) {
    PassHarness pass{"tls_server"};
    ServeThePass(pass, kNewA);
    WriteTestFile(InService("a.dll"), kOldA);
    pass.MakeForm({}, kAcme);
    const size_t before = pass.Server().Requests().size();
    const PassOutcome out = pass.Run();
    EXPECT_TRUE(out.closed);
    EXPECT_TRUE(out.boxes.empty());
    EXPECT_TRUE(ReadTestFile(InService("a.dll")) == kNewA);
    EXPECT_EQ(ReadTestFile(InService("b.dll")), "bbb");
    EXPECT_EQ(PackedTimeOf(InService("a.dll")), kListedStamp);
    EXPECT_EQ(PackedTimeOf(InService("b.dll")), kListedStamp);
    EXPECT_EQ(ReadTestFile(InService("mark.png")), "png");
    ExpectTheHostStarted(out, true);

    const std::set<std::string> asked(out.requests.begin(), out.requests.end());
    const std::vector<std::string> expected = {
        "GET /FTPHome/TolvarService/UpGradeList.txt", "GET /FTPHome/TolvarService/a.dll",
        "HEAD /FTPHome/TolvarService/a.dll",          "GET /FTPHome/TolvarService/b.dll",
        "GET /" + kAcmeFolder + "StopCheck.txt",      "GET /" + kAcmeFolder + "vercheck.txt",
        "GET /" + kAcmeFolder + "mark.png",           "HEAD /" + kAcmeFolder + "mark.png"};
    for (const std::string& request : expected) EXPECT_EQ(asked.count(request), 1u) << request;
    const std::vector<std::string> log = pass.Server().Requests();
    for (size_t i = before; i < log.size(); ++i) {
        EXPECT_EQ(testserver::LogField(log[i], "listener"), "good") << log[i];
        EXPECT_EQ(testserver::LogField(log[i], "sni"), "localhost") << log[i];
    }
}

TEST(TlsPass, ARootTheSystemCannotTrustTouchesNoFileAndStillStartsTheHost) {
    for (const char* server : {"untrusted", "wrongname", "expired"}) {
        SCOPED_TRACE(server);
        PassHarness pass{"tls_server"};
        ServeThePass(pass, kNewA);
        WriteTestFile(InService("a.dll"), kOldA);
        TfmDownloading* form = pass.MakeForm({}, kAcme);
        form->UpdateRoot = pass.Server().NamedUrl(server);
        const size_t before = pass.Server().Requests().size();
        const PassOutcome out = pass.Run();
        EXPECT_TRUE(out.closed);
        EXPECT_TRUE(out.boxes.empty()) << "no certificate error is ever shown";
        EXPECT_EQ(ReadTestFile(InService("a.dll")), kOldA);
        EXPECT_EQ(FileNamesIn(kServiceDirectory), (std::set<std::string>{"a.dll", "TH.exe", "TolvarHost.exe"}))
            << "nothing fetched, nothing temporary";
        EXPECT_EQ(pass.Server().Requests().size(), before) << "not a request went out";
        ExpectTheHostStarted(out, false);
    }
}
