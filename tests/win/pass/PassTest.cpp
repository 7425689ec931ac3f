// The update pass from activation to the closing of the window: its order, its shortcut for
// "localhost", and the error report that ends it.
#include <gtest/gtest.h>

#include "PassHarness.h"
#include "app/Application.h"
#include "client/LocalFiles.h"

using namespace tolvar;
using namespace tolvar::test;

namespace {

class Pass : public ::testing::Test {
protected:
    PassHarness pass{"pass_server"};
    std::string workDir() const {
        std::string d = pass.Work().Path();
        d.pop_back();
        return d;
    }
};

const char* const kNoCompany = "DomainIP=10.0.0.1\r\n";

}  // namespace

TEST_F(Pass, TheWindowHasItsDesignedLook) {
    TfmDownloading* form = pass.MakeForm({}, kNoCompany);
    EXPECT_EQ(form->Caption(), "Update Checking...");
    EXPECT_EQ(form->ClientWidth(), 336);
    EXPECT_EQ(form->ClientHeight(), 31);
    EXPECT_EQ(form->ProgressBar1->Left(), 7);
    EXPECT_EQ(form->ProgressBar1->Top(), 7);
    EXPECT_EQ(form->ProgressBar1->Width(), 321);
    EXPECT_TRUE(form->ProgressBar1->ShowProgressText());
    EXPECT_FALSE(form->ProgressBar1->ShowPercent());
    EXPECT_EQ(form->ProgressBar1->ProgressAnimationPause(), 1000);
    EXPECT_FALSE(form->Activated);
    EXPECT_FALSE(form->StartTimer->Enabled());
    EXPECT_EQ(form->StartTimer->Interval(), 100u);
}

TEST_F(Pass, TheWindowLoadsTheSkinItCarriesWhileItIsMade) {
    TfmDownloading* form = pass.MakeForm({}, kNoCompany);
    const TskSkinData* skin = form->skSkinData1;
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->CompressedStoredSkin(), form->skCompressedStoredSkin1);
    EXPECT_FALSE(skin->Empty());
    EXPECT_FALSE(skin->ChangingSkinData());
    EXPECT_EQ(skin->MainPicture.Width(), 210);
    EXPECT_EQ(skin->MainPicture.Height(), 282);
    const int gauge = skin->FindControlIndex("gauge");
    ASSERT_GE(gauge, 0);
    EXPECT_NE(dynamic_cast<const TskDataSkinGaugeControl*>(skin->CtrlList[size_t(gauge)].get()), nullptr);
    ASSERT_GE(skin->FindObjectIndex("caption"), 0);
    EXPECT_NE(dynamic_cast<const TskDataSkinCaption*>(skin->ObjectList[size_t(skin->FindObjectIndex("caption"))].get()),
              nullptr);
    for (const char* button : {"closebutton", "maxbutton", "minbutton", "sysmenubutton"}) {
        const int i = skin->FindObjectIndex(button);
        ASSERT_GE(i, 0) << button;
        EXPECT_NE(dynamic_cast<const TskDataSkinStdButton*>(skin->ObjectList[size_t(i)].get()), nullptr) << button;
    }
    EXPECT_NE(skin->LayerFrame.pictureindex, -1);
}

TEST_F(Pass, LocalhostGoesStraightToTheFinishAndStartsAStagedClient) {
    pass.StageClient();
    pass.ServeUpgradeList(
        {"SPATH /TolvarService", "CPATH C:\\Marvane\\TolvarService", "FILE a.dll 1 2007-05-01 12:00:00"});
    const PassOutcome out = pass.RunPass({"localhost"}, "CompanyCode=ACME\r\n");
    EXPECT_TRUE(out.closed);
    EXPECT_TRUE(out.requests.empty()) << "no list and no company requests";
    ASSERT_EQ(out.started.size(), 1u);
    EXPECT_EQ(out.started[0], "Sandrel.exe|" + workDir() + "|copy");
    EXPECT_TRUE(FileExists(pass.Work() / "Sandrel.exe")) << "not deleted first in this case";
}

TEST_F(Pass, LocalhostWithASecondArgumentIsAnOrdinaryPass) {
    pass.StageClient();
    const PassOutcome out = pass.RunPass({"localhost", "again"}, kNoCompany);
    EXPECT_TRUE(out.closed);
    EXPECT_EQ(out.requests, std::vector<std::string>{"GET /FTPHome/TolvarService/UpGradeList.txt"});
    EXPECT_FALSE(FileExists(pass.Work() / "Sandrel.exe")) << "a staged client of an earlier pass is deleted";
    ASSERT_EQ(out.started.size(), 1u);
    EXPECT_EQ(out.started[0].substr(0, out.started[0].find('|')), "TH.exe");
}

TEST_F(Pass, AListThatCannotBeFetchedStillFinishesAndCloses) {
    // No list on the server: a 404.
    TfmDownloading* form = pass.MakeForm({}, kNoCompany);
    const PassOutcome out = pass.Run();
    EXPECT_TRUE(out.closed);
    EXPECT_TRUE(out.boxes.empty());
    EXPECT_EQ(form->Caption(), "Update Checking...");
    EXPECT_TRUE(form->Activated);
    EXPECT_TRUE(DirectoryExists("C:\\Marvane\\TolvarService")) << "made at the first activation";
    ASSERT_EQ(out.started.size(), 1u);
    EXPECT_EQ(out.started[0].substr(0, out.started[0].find('|')), "TH.exe");
}

TEST_F(Pass, AnEmptyListFinishesWithoutTheDownloadStage) {
    pass.ServeUpgradeList({});
    TfmDownloading* form = pass.MakeForm({}, kNoCompany);
    const PassOutcome out = pass.Run();
    EXPECT_TRUE(out.closed);
    EXPECT_EQ(form->Caption(), "Update Checking...");
    EXPECT_EQ(out.started.size(), 1u);
}

TEST_F(Pass, AListOfTenMillionLinesCountsAsNoListAndTheHostStillStarts) {
    std::string list =
        "SPATH /TolvarService\r\nCPATH C:\\Marvane\\TolvarService\r\n"
        "FILE a.dll 3 2007-05-01 12:00:00\r\nMKDIR C:\\Marvane\\TolvarService\\made\\\r\n";
    for (int i = 0; i < 10000000; ++i) list += "\r\n";
    pass.ServeFile("FTPHome/TolvarService/UpGradeList.txt", list);
    pass.ServeFile("FTPHome/TolvarService/a.dll", "abc");
    TfmDownloading* form = pass.MakeForm({}, kNoCompany);
    const PassOutcome out = pass.Run(120000);
    EXPECT_TRUE(out.closed);
    EXPECT_TRUE(out.boxes.empty());
    EXPECT_EQ(out.requests, std::vector<std::string>{"GET /FTPHome/TolvarService/UpGradeList.txt"})
        << "nothing of it acts";
    EXPECT_FALSE(PathExists(std::string(kServiceDirectory) + "made"));
    EXPECT_TRUE(form->ListBox1.empty());
    ASSERT_EQ(out.started.size(), 1u);
    EXPECT_EQ(out.started[0].substr(0, out.started[0].find('|')), "TH.exe");
}

TEST_F(Pass, AClientPathBeyondThePlatformsLimitIsReportedAsAFolderThatCannotBeMade) {
    std::string deep = "C:\\Marvane\\";
    while (deep.size() < 30000) deep += "x\\";
    pass.ServeUpgradeList({"SPATH /TolvarService", "CPATH " + deep, "FILE a.dll 3 2007-05-01 12:00:00"});
    pass.ServeFile("FTPHome/TolvarService/a.dll", "abc");
    TfmDownloading* form = pass.MakeForm({}, kNoCompany);
    const PassOutcome out = pass.Run();
    EXPECT_FALSE(out.closed) << "the pass ends at the report; the window stays";
    ASSERT_EQ(out.boxes.size(), 1u);
    EXPECT_EQ(out.boxes[0].text, L"I/O error 206.");
    EXPECT_EQ(out.boxes[0].flags, UINT(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(out.requests, std::vector<std::string>{"GET /FTPHome/TolvarService/UpGradeList.txt"})
        << "raised before the download asks for anything";
    EXPECT_FALSE(PathExists("C:\\Marvane\\x")) << "nothing made of it";
    EXPECT_EQ(form->FTPView.size(), 1u);
    EXPECT_TRUE(out.started.empty());
}

TEST_F(Pass, AMalformedDateOfALocalFileIsReportedAndNothingRunsAfterIt) {
    WriteTestFile(std::string(kServiceDirectory) + "a.dll", "old");
    pass.ServeUpgradeList({"SPATH /TolvarService", "CPATH C:\\Marvane\\TolvarService",
                           "FILE a.dll 3 2007-13-45 12:00:00", "FILE b.dll 3 2007-05-01 12:00:00"});
    TfmDownloading* form = pass.MakeForm({}, "CompanyCode=ACME\r\n");
    const PassOutcome out = pass.Run();
    EXPECT_FALSE(out.closed) << "the window stays open and idle";
    ASSERT_EQ(out.boxes.size(), 1u);
    EXPECT_EQ(out.boxes[0].text, L"'2007-13-45' is not a valid date.");
    EXPECT_EQ(out.boxes[0].caption, L"TolvarClient");
    EXPECT_EQ(out.boxes[0].flags, UINT(MB_OK | MB_ICONSTOP));
    EXPECT_TRUE(out.started.empty()) << "nothing is launched";
    EXPECT_EQ(out.requests, std::vector<std::string>{"GET /FTPHome/TolvarService/UpGradeList.txt"});
    EXPECT_TRUE(form->FTPView.empty());

    // Activating the window again (as after the message box) does nothing.
    const size_t requests = pass.Server().Requests().size();
    SendMessageA(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    for (int i = 0; i < 30; ++i) {
        Application()->ProcessMessages();
        Sleep(10);
    }
    EXPECT_EQ(pass.Server().Requests().size(), requests);
    EXPECT_FALSE(form->StartTimer->Enabled());
    EXPECT_TRUE(pass.Started().empty());
}
