// tolvarpub check against the project's update server on loopback: a root the tool wrote, the
// faults a server or an upload brings, the manifests with the vendor's key, a company's folder,
// and the bounds that keep a check of a large or stalling server short.
#include "PublishTool.h"
#include "feed/Manifest.h"
#include "feedsign/SigningKey.h"
#include "http/ByteStream.h"

using namespace tolvar;
using namespace tolvar::test;

namespace {

class CheckTool : public PublishTool {
protected:
    void SetUp() override {
        PublishTool::SetUp();
        ASSERT_TRUE(server) << "no update server: run this test through ctest";
        server.SetFaults("{}");
        fs::remove_all(server.Root());
        release_ = dir_ / "release";
        Put(release_ / "a.dll", "0123456789");
        Put(release_ / "b.dll", "bbbbbbbbbb");
        Put(release_ / "sub/c.dll", "c");
    }
    void TearDown() override {
        server.SetFaults("{}");
        PublishTool::TearDown();
    }

    void Publish(const std::vector<std::string>& more = {}) {
        std::vector<std::string> args = {server.Root(), "--folder", release_.string(), "/TolvarService",
                                         "C:\\Marvane\\TolvarService"};
        args.insert(args.end(), more.begin(), more.end());
        ASSERT_EQ(Tolvarpub(args), 0) << output_;
    }
    int Check(std::vector<std::string> more = {}) {
        more.insert(more.begin(), {"check", server.Url});
        return Tolvarpub(more);
    }
    bool Told(const std::string& text) const { return output_.find(text) != std::string::npos; }
    // The lines of the report that are problems: neither notes nor the summary.
    std::vector<std::string> Problems() const {
        std::vector<std::string> lines;
        std::istringstream report(output_);
        for (std::string line; std::getline(report, line);)
            if (!line.starts_with("note: ") && !line.starts_with("checked ")) lines.push_back(line);
        return lines;
    }
    void Serve(const std::string& relative, const std::string& bytes) const {
        testserver::WriteWholeFile(server.Root(relative), bytes);
    }

    const testserver::TTestServer server = testserver::FindTestServer("publish_server");
    fs::path release_;
};

const std::string kA = "/FTPHome/TolvarService/a.dll";

}  // namespace

TEST_F(CheckTool, ARootTheToolWrotePassesAndAFileOfAnotherSizeIsNamed) {
    Publish();
    EXPECT_EQ(Check(), 0) << output_;
    EXPECT_TRUE(Told("checked " + server.Url + ": no problems; 3 of 3 listed files (21 bytes)")) << output_;

    Serve("FTPHome/TolvarService/b.dll", "bbbbbbbbbbb");  // an upload that went wrong: one byte more
    EXPECT_EQ(Check(), 1) << output_;
    EXPECT_EQ(
        Problems(),
        (std::vector<std::string>{
            "/FTPHome/TolvarService/b.dll: the HEAD answer announces 11 bytes, the list 10: every download of it fails",
            "/FTPHome/TolvarService/b.dll: its body is longer than the list's 10 bytes"}));
    EXPECT_TRUE(Told(": 2 problems; 3 of 3 listed files")) << output_;
}

TEST_F(CheckTool, WhatAServerGetsWrongIsOneLineEach) {
    Publish();
    const std::string list = "/FTPHome/TolvarService/UpGradeList.txt";
    const struct {
        const char* what;
        std::string faults;
        std::string problem;  // the start of the one problem line
    } cases[] = {
        {"a file the server lacks", R"({")" + kA + R"(": {"status": 404}})", kA + ": the server does not have it"},
        {"a length probe without a length", R"({")" + kA + R"(": {"no_length": true, "methods": ["HEAD"]}})",
         kA + ": the HEAD answer carries no length"},
        {"a body that goes on", R"({")" + kA + R"(": {"extra_bytes": 5, "methods": ["GET"]}})",
         kA + ": its body is longer than the list's 10 bytes"},
        {"a body cut short", R"({")" + kA + R"(": {"drop_after_bytes": 3, "methods": ["GET"]}})",
         kA + ": its body has 3 bytes, the list 10"},
        {"an error page for a body", R"({")" + kA + R"(": {"status": 500, "methods": ["GET"]}})",
         kA + ": it cannot be fetched"},
        {"no list", R"({")" + list + R"(": {"status": 404}})",
         list + ": missing: every workstation goes without its updates"},
        {"a list that never comes", R"({")" + list + R"(": {"silent": true}})", list + ": cannot be fetched ("},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        server.SetFaults(c.faults);
        EXPECT_EQ(Check({"--timeout", "1"}), 1) << output_;
        const std::vector<std::string> problems = Problems();
        ASSERT_EQ(problems.size(), 1u) << output_;
        EXPECT_EQ(problems[0].rfind(c.problem, 0), 0u) << problems[0];
    }

    // A server nobody listens on.
    std::string closed;
    {
        const std::unique_ptr<TStreamListener> listener = NewLoopbackListener();
        closed = "http://127.0.0.1:" + std::to_string(listener->Port());
    }
    EXPECT_EQ(Tolvarpub({"check", closed}), 1) << output_;
    EXPECT_EQ(Problems().size(), 1u) << output_;
    EXPECT_TRUE(Told(list + ": cannot be fetched (Cannot connect")) << output_;

    EXPECT_EQ(Tolvarpub({"check", "ftp://127.0.0.1/"}), 1);
    EXPECT_TRUE(Told("Unsupported protocol: ftp")) << output_;
}

TEST_F(CheckTool, ALongListAndAStallingServerEndWithinTheCheckLimits) {
    std::string list = "SPATH /Many\r\nCPATH C:\\Many\r\n";
    for (int i = 0; i < 100000; ++i) list += "FILE f" + std::to_string(i) + ".dll 1 2007-05-01 12:00:00\r\n";
    Serve("FTPHome/TolvarService/UpGradeList.txt", list);
    EXPECT_EQ(Check({"--time-limit", "2"}), 1) << output_.substr(0, 2000);
    EXPECT_TRUE(Told("listed files not checked (")) << output_.substr(output_.size() - 2000);
    EXPECT_TRUE(Told("the check ran out of its 2 s")) << output_.substr(output_.size() - 2000);
    EXPECT_TRUE(Told(" of 100000 listed files")) << output_.substr(output_.size() - 2000);

    // Every file stalls: after ten time-outs the check gives up on the rest.
    list = "SPATH /TolvarService\r\nCPATH C:\\Marvane\\TolvarService\r\n";
    std::string faults = "{";
    for (int i = 0; i < 20; ++i) {
        const std::string name = "s" + std::to_string(i) + ".dll";
        list += "FILE " + name + " 1 2007-05-01 12:00:00\r\n";
        Serve("FTPHome/TolvarService/" + name, "s");
        faults += std::string(i ? "," : "") + "\"/FTPHome/TolvarService/" + name + "\": {\"silent\": true}";
    }
    Serve("FTPHome/TolvarService/UpGradeList.txt", list);
    server.SetFaults(faults + "}");
    EXPECT_EQ(Check({"--timeout", "1", "--jobs", "2"}), 1) << output_;
    EXPECT_TRUE(Told("listed files not checked (")) << output_;
    EXPECT_TRUE(Told("the server stopped answering (1")) << output_;
}

TEST_F(CheckTool, WithTheKeyTheManifestAndEveryHashAreCheckedAsABuildWithTheKeyChecksThem) {
    const fs::path key = KeyPair("vendor");
    KeyPair("other");
    const std::string pub = (dir_ / "vendor.pub.pem").string();
    Publish({"--key", key.string()});
    EXPECT_EQ(Check({"--key", pub}), 0) << output_;
    EXPECT_TRUE(Told("note: /FTPHome/TolvarService/UpGradeList.sig: holds until ")) << output_;

    Serve("FTPHome/TolvarService/b.dll", "BBBBBBBBBB");  // same size, other bytes: only the hash tells
    EXPECT_EQ(Check(), 0) << "without the key nothing tells: " << output_;
    EXPECT_EQ(Check({"--key", pub}), 1) << output_;
    EXPECT_EQ(Problems(),
              std::vector<std::string>{"/FTPHome/TolvarService/b.dll: its SHA-256 is not the one UpGradeList.sig "
                                       "names (changed after signing, or a cache serves an old copy): a build "
                                       "with the key keeps its old file"});

    EXPECT_EQ(Check({"--key", (dir_ / "other.pub.pem").string()}), 1);
    EXPECT_EQ(Problems().size(), 1u) << output_;
    EXPECT_TRUE(Told("UpGradeList.sig: its signature is not the key's")) << output_;

    Serve("FTPHome/TolvarService/UpGradeList.txt", "SPATH /TolvarService\r\n");
    EXPECT_EQ(Check({"--key", pub}), 1);
    EXPECT_TRUE(Told("UpGradeList.sig: the list's SHA-256 is not the one it names")) << output_;
    EXPECT_TRUE(
        Told("UpGradeList.sig: names /FTPHome/TolvarService/a.dll, /FTPHome/TolvarService/b.dll, "
             "/FTPHome/TolvarService/sub/c.dll, which the list does not"))
        << output_;

    fs::remove(server.Root("FTPHome/TolvarService/UpGradeList.sig"));
    EXPECT_EQ(Check({"--key", pub}), 1);
    EXPECT_TRUE(Told("/FTPHome/TolvarService/UpGradeList.sig: missing: a build with the key takes no list")) << output_;

    EXPECT_EQ(Check({"--key", key.string()}), 1) << "a private key is no public key";
    EXPECT_TRUE(Told("tolvarpub: ")) << output_;

    // Signed for a day: a problem already, a week ahead of the end. Expired: refused as a build
    // with the key refuses it.
    Publish({"--key", key.string(), "--valid-days", "1"});
    EXPECT_EQ(Check({"--key", pub}), 1) << output_;
    EXPECT_EQ(Problems().size(), 1u) << output_;
    EXPECT_TRUE(Told("/FTPHome/TolvarService/UpGradeList.sig: expires ")) << output_;
    EXPECT_TRUE(Told(", within 7 days: sign the root again")) << output_;
    const std::string sig = "FTPHome/TolvarService/UpGradeList.sig";
    const TManifest signedFor1Day = ReadManifest(testserver::ReadWholeFile(server.Root(sig)));
    Serve(sig, SignManifest(TSigningKey::Load(key), ManifestNow() - std::chrono::hours(1), signedFor1Day.Entries));
    EXPECT_EQ(Check({"--key", pub}), 1) << output_;
    EXPECT_EQ(Problems().size(), 1u) << output_;
    EXPECT_TRUE(Told("/FTPHome/TolvarService/UpGradeList.sig: expired ")) << output_;
    EXPECT_TRUE(Told(": a build with the key takes no list and updates nothing")) << output_;
}

TEST_F(CheckTool, TheCompanysFolderIsProbedAsTheClientProbesIt) {
    Publish();
    const std::string folder = "FTPHome/TolvarService/CompanyCode/ACME/";
    Serve(folder + "StopCheck.txt", "");
    Serve(folder + "vercheck.txt", "TolvarClient=1.4\r\n");
    Serve(folder + "mark.png", "png");
    Serve(folder + "mark.gif", "gif");
    EXPECT_EQ(Check({"--company", "ACME"}), 1) << output_;
    EXPECT_EQ(
        Problems(),
        (std::vector<std::string>{
            "/" + folder + "Sandrel.exe: missing: workstations with an older client try to fetch it on every start",
            "/" + folder.substr(0, folder.size() - 1) +
                ": holds the logos mark.png, mark.gif: every start fetches each of them in turn and keeps "
                "mark.gif only"}));
    EXPECT_TRUE(Told("note: company ACME: StopCheck.txt is there")) << output_;

    Serve(folder + "Sandrel.exe", "a new client");
    fs::remove(server.Root(folder + "mark.gif"));
    fs::remove(server.Root(folder + "StopCheck.txt"));
    EXPECT_EQ(Check({"--company", "ACME"}), 0) << output_;
    EXPECT_TRUE(Told("note: company ACME: vercheck.txt names the client 1.4")) << output_;
    EXPECT_TRUE(Told("note: company ACME: the logo is mark.png")) << output_;

    Serve(folder + "vercheck.txt", "TolvarClient=1.4 \r\n");
    EXPECT_EQ(Check({"--company", "ACME"}), 1) << output_;
    EXPECT_TRUE(Told("vercheck.txt: the version '1.4 ' has blanks around it")) << output_;
}
