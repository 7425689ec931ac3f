// The host program's start at the end of the pass: its command line field by field as a
// stand-in host receives it, the launch copy it runs from, and the message when it is missing.
#include <gtest/gtest.h>

#include "CompanyPass.h"
#include "client/HostLaunch.h"
#include "app/Application.h"

using namespace tolvar;
using namespace tolvar::test;

namespace {

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

}  // namespace

TEST(HostCommandLine, StartsWithTheDayCodeOfTheDateAndTheModeDigit) {
    const TextLines none;
    const struct {
        DateTime day;
        const char* code;
    } cases[] = {{{2024, 3, 15}, "30315"}, {{2024, 12, 31}, "62372"}, {{2024, 1, 1}, "2023"}};
    for (const auto& c : cases) EXPECT_EQ(HostCommandLine(none, false, c.day), std::string(c.code) + " ` 1      ` ` `");
    EXPECT_EQ(HostCommandLine(none, true, {2024, 3, 15}), "30315 ` 2      ` ` `");
}

TEST(HostLaunch, TheStandInHostReceivesTheSettingsFieldByField) {
    const struct {
        const char* what;
        const char* settings;
        std::string args;  // after the day code
        size_t words;
    } cases[] = {
        {"every value, none with a blank",
         "CompanyCode=ACME\r\nDomainIP=10.1.2.3\r\nDomainPort=7001\r\nMainIP=10.1.2.4\r\nMainPort=7002\r\n"
         "CompanyName=Acme\r\nCompanyTel=02-555-0100\r\nHomePage=http://acme.example\r\n",
         " ` 1 ACME 10.1.2.3 7001 10.1.2.4 7002 Acme 02-555-0100 http://acme.example", 11},
        {"no settings at all", "",
         " ` 1"
         "     "
         " ` ` `",
         11},
        {"empty and blank values",
         "CompanyCode=ACME\r\nDomainIP= \r\nDomainPort=\r\nMainIP=10.1.2.4\r\nMainPort=7002\r\n"
         "CompanyName=\r\nCompanyTel=  \r\nHomePage=http://acme.example\r\n",
         std::string(" ` 1 ACME") + " " + " " /* a blank DomainIP */ + " " /* an empty DomainPort */ +
             " 10.1.2.4 7002" + " `" /* an empty CompanyName */ + " " + "  " /* a blank CompanyTel */ +
             " http://acme.example",
         14},
        {"a company name with a space",
         "CompanyCode=ACME\r\nDomainIP=10.1.2.3\r\nDomainPort=7001\r\nMainIP=10.1.2.4\r\nMainPort=7002\r\n"
         "CompanyName=Acme Trading\r\nCompanyTel=02-555-0100\r\nHomePage=http://acme.example\r\n",
         " ` 1 ACME 10.1.2.3 7001 10.1.2.4 7002 Acme Trading 02-555-0100 http://acme.example", 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PassHarness pass{"company_server"};
        const PassOutcome out = pass.RunPass({}, c.settings);
        EXPECT_TRUE(out.closed);
        EXPECT_TRUE(out.boxes.empty());
        ASSERT_EQ(out.started.size(), 1u);
        const Launch host = ParseLaunch(out.started[0]);
        EXPECT_EQ(host.name, "TH.exe") << "the launch copy is what runs";
        EXPECT_TRUE(SamePath(host.cwd, "c:\\Marvane\\TolvarService")) << host.cwd;
        EXPECT_EQ(host.args, TodaysDayCode() + c.args);
        EXPECT_EQ(Words(host.args).size(), c.words);
        EXPECT_EQ(ReadTestFile(InService("TH.exe")), ReadTestFile(InService("TolvarHost.exe")));
    }
}

TEST(HostLaunch, WithoutAHostProgramTheUserIsToldAndNothingStarts) {
    // "The server cannot be reached. Please try again in a little while."
    const std::wstring korean =
        L"\uC11C\uBC84\uC640 \uC811\uC18D\uD560 \uC218 \uC5C6\uC2B5\uB2C8\uB2E4. "
        L"\uC7A0\uC2DC\uD6C4 \uC0AC\uC6A9\uD574 \uC8FC\uC138\uC694.";
    EXPECT_EQ(NoHostMessage(), korean);

    PassHarness pass{"company_server"};
    pass.SetHostInstalled(false);
    TfmDownloading* form = pass.MakeForm({}, "CompanyCode=ACME\r\n");
    std::vector<ShownBox> boxes;
    TApplication* app = Application();
    app->OnMessageBox = [&](const std::wstring& text, const std::wstring& caption, UINT flags) {
        boxes.push_back({text, caption, flags});
        return IDOK;
    };
    form->Show();
    for (const DWORD start = GetTickCount(); !app->Terminated() && GetTickCount() - start < 30000; Sleep(2))
        app->ProcessMessages();

    EXPECT_TRUE(app->Terminated()) << "the window closes after the message";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, korean);
    EXPECT_EQ(boxes[0].caption, L"TolvarClient");
    EXPECT_EQ(boxes[0].flags, UINT(MB_OK)) << "one OK button and no icon";
    EXPECT_FALSE(PathExists(InService("TH.exe"))) << "no copy";
    EXPECT_TRUE(pass.Started().empty()) << "no start";
}
