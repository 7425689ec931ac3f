// tolvarpub writing update server roots from release folders: the list the client's own
// grammar reads back, the root replaced whole or not at all, what it refuses, and the signing.
#include <functional>
#include <map>

#include "../UtcSeconds.h"
#include "PublishTool.h"
#include "base/DateTime.h"
#include "base/ListLine.h"
#include "base/Text.h"
#include "feed/Manifest.h"
#include "feedsign/SigningKey.h"

using namespace tolvar;
using namespace tolvar::test;

namespace {

// A file record as the client makes it of a FILE line and the SPATH and CPATH lines above it.
struct Record {
    std::string FileName, Size, Date, Time, ServerPath, ClientPath;
    friend bool operator==(const Record&, const Record&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Record& r) {
        return out << r.FileName << " " << r.Size << " " << r.Date << " " << r.Time << " " << r.ServerPath << " "
                   << r.ClientPath;
    }
};

// The list read with the client's grammar, as its interpreter reads it (the server root URL
// left out of the server paths).
std::vector<Record> ClientRecords(const std::string& listText, std::vector<std::string>& housekeeping) {
    std::vector<Record> records;
    std::string serverPath, clientPath;
    for (const std::string& line : TextToLines(listText)) {
        const auto [command, argument] = SplitListLine(line);
        if (command == "SPATH") {
            serverPath = ServerFolderOf(argument);
        } else if (command == "CPATH") {
            clientPath = argument;
            if (argument.empty() || argument.back() != '\\') clientPath += '\\';
        } else if (command == "FILE") {
            const TFileFields f = SplitFileFields(argument);
            records.push_back({f.FileName, f.Size, f.Date, f.Time, serverPath, clientPath});
        } else {
            housekeeping.push_back(command + " " + argument);
        }
    }
    return records;
}

const std::string kList = "FTPHome/TolvarService/UpGradeList.txt";

}  // namespace

TEST_F(PublishTool, WritesTheReleaseAndAListThatTheClientsGrammarReadsBackAsItsFiles) {
    const fs::path app = dir_ / "release/app", tools = dir_ / "release/tools", root = dir_ / "root";
    const int64_t odd = Utc(2024, 5, 1, 10, 20, 31);
    Put(app / "TolvarHost.exe", "host", odd, 700000000);  // listed at 10:20:30
    Put(app / "empty.cfg", "", Utc(1980, 1, 1, 0, 0, 0));
    Put(app / "lang/en/strings.txt", "english", Utc(2107, 12, 31, 23, 59, 58));
    Put(app / "lang/ko/strings.txt", "korean!!", odd - 1);
    Put(tools / "tool.exe", "a tool", odd + 1);
    ASSERT_EQ(Tolvarpub({root.string(), "--folder", app.string(), "/TolvarService", "C:\\Marvane\\TolvarService",
                         "--folder", tools.string(), "/Tools/", "C:\\Marvane\\Tools\\", "--mkdir", "C:\\Marvane\\Logs",
                         "--delete", "C:\\Marvane\\TolvarService\\*.old"}),
              0)
        << output_;
    EXPECT_NE(output_.find("5 files (25 bytes)"), std::string::npos) << output_;

    const std::string list = testserver::ReadWholeFile((root / kList).string());
    EXPECT_EQ(list.find("MKDIR "), 0u) << "the housekeeping lines come first";
    EXPECT_EQ(LinesToText(TextToLines(list)), list) << "every line ends in CR LF";
    std::vector<std::string> housekeeping;
    const std::vector<Record> records = ClientRecords(list, housekeeping);
    EXPECT_EQ(housekeeping,
              (std::vector<std::string>{"MKDIR C:\\Marvane\\Logs\\", "DFILE C:\\Marvane\\TolvarService\\*.old"}))
        << "MKDIR makes the folders up to its last backslash: the tool adds one";
    const std::string s = "/FTPHome/TolvarService/", c = "C:\\Marvane\\TolvarService\\";
    EXPECT_EQ(records, (std::vector<Record>{
                           {"TolvarHost.exe", "4", "2024-05-01", "10:20:30", s, c},
                           {"empty.cfg", "0", "1980-01-01", "00:00:00", s, c},
                           {"strings.txt", "7", "2107-12-31", "23:59:58", s + "lang/en/", c + "lang\\en\\"},
                           {"strings.txt", "8", "2024-05-01", "10:20:30", s + "lang/ko/", c + "lang\\ko\\"},
                           {"tool.exe", "6", "2024-05-01", "10:20:32", "/FTPHome/Tools/", "C:\\Marvane\\Tools\\"},
                       }));

    // Each record names a file of the root that the client fetches whole and then finds fresh.
    FormatSettings().ShortDateFormat = "yyyy-mm-dd";
    FormatSettings().DateSeparator = '-';
    for (const Record& r : records) {
        SCOPED_TRACE(r);
        const fs::path served = root / (r.ServerPath.substr(1) + r.FileName);
        ASSERT_TRUE(fs::is_regular_file(served));
        EXPECT_EQ(std::to_string(fs::file_size(served)), r.Size);
        const DateTime listed = CombineDateTime(StrToDate(r.Date), StrToTime(r.Time));
        const std::optional<uint32_t> packed = PackDosDateTime(listed);
        ASSERT_TRUE(packed);
        EXPECT_TRUE(UnpackDosDateTime(*packed).SameSecond(listed)) << "the stamp holds the listed time as it is";
    }
    EXPECT_EQ(Tree(root),
              (std::vector<std::string>{"FTPHome/", "FTPHome/TolvarService/", "FTPHome/TolvarService/TolvarHost.exe",
                                        "FTPHome/TolvarService/UpGradeList.txt", "FTPHome/TolvarService/empty.cfg",
                                        "FTPHome/TolvarService/lang/", "FTPHome/TolvarService/lang/en/",
                                        "FTPHome/TolvarService/lang/en/strings.txt", "FTPHome/TolvarService/lang/ko/",
                                        "FTPHome/TolvarService/lang/ko/strings.txt", "FTPHome/Tools/",
                                        "FTPHome/Tools/tool.exe"}));
    EXPECT_EQ(fs::last_write_time(root / "FTPHome/Tools/tool.exe"), fs::last_write_time(tools / "tool.exe"))
        << "the copies keep their times";
}

TEST_F(PublishTool, ReplacesAnEarlierRootWholeAndLeavesEveryOtherFolderAlone) {
    const fs::path release = dir_ / "release", root = dir_ / "root";
    const std::vector<std::string> args = {root.string(), "--folder", release.string(), "/TolvarService",
                                           "C:\\Marvane\\TolvarService"};
    Put(release / "a.dll", "first");
    Put(release / "b.dll", "gone next time");
    ASSERT_EQ(Tolvarpub(args), 0) << output_;
    fs::remove(release / "b.dll");
    Put(release / "a.dll", "second");
    ASSERT_EQ(Tolvarpub(args), 0) << output_;
    EXPECT_EQ(Tree(root),
              (std::vector<std::string>{"FTPHome/", "FTPHome/TolvarService/", "FTPHome/TolvarService/UpGradeList.txt",
                                        "FTPHome/TolvarService/a.dll"}));
    EXPECT_EQ(testserver::ReadWholeFile((root / "FTPHome/TolvarService/a.dll").string()), "second");

    // A run that is refused leaves the root as it was.
    const std::string list = testserver::ReadWholeFile((root / kList).string());
    Put(release / "c d.dll", "refused");
    EXPECT_EQ(Tolvarpub(args), 1);
    EXPECT_EQ(testserver::ReadWholeFile((root / kList).string()), list);
    EXPECT_EQ(Tree(dir_), (std::vector<std::string>{"output.txt", "release/", "release/a.dll", "release/c d.dll",
                                                    "root/", "root/FTPHome/", "root/FTPHome/TolvarService/",
                                                    "root/FTPHome/TolvarService/UpGradeList.txt",
                                                    "root/FTPHome/TolvarService/a.dll"}))
        << "no temporary folder is left beside the root";

    // A folder that is no update root is never replaced: a mistyped ROOT must not wipe it.
    fs::remove(release / "c d.dll");
    const fs::path documents = dir_ / "documents";
    Put(documents / "letter.txt", "keep me");
    EXPECT_EQ(Tolvarpub({documents.string(), "--folder", release.string(), "/TolvarService", "C:\\Marvane"}), 1);
    EXPECT_NE(output_.find("letter.txt"), std::string::npos) << output_;
    EXPECT_EQ(Tree(documents), std::vector<std::string>{"letter.txt"});
}

TEST_F(PublishTool, RefusesWhatNoWorkstationCouldActOnNamingTheFileAndWritesNothing) {
    const fs::path release = dir_ / "release", root = dir_ / "root";
    const std::string spath = "/TolvarService", cpath = "C:\\Marvane\\TolvarService";
    const struct {
        const char* what;
        std::function<void()> make;
        std::vector<std::string> args;  // after ROOT
        std::vector<std::string> told;  // the message names these
    } cases[] = {
        {"a name with a space", [&] { Put(release / "my file.dll", "x"); }, {}, {"my file.dll", "space"}},
        {"a name with a control character",
         [&] { Put(release / "bell\a.dll", "x"); },
         {},
         {"bell", "control character"}},
        {"a name with a '#'", [&] { Put(release / "a#1.dll", "x"); }, {}, {"a#1.dll", "'#'"}},
        {"a folder with a space", [&] { Put(release / "sub folder/a.dll", "x"); }, {}, {"sub folder", "space"}},
        {"names that differ in case",
         [&] { Put(release / "Readme.TXT", "x"), Put(release / "readme.txt", "y"); },
         {},
         {"Readme.TXT", "readme.txt", "differ only in case"}},
        {"a time before 1980",
         [&] { Put(release / "old.dll", "x", Utc(1979, 12, 31, 23, 59, 59)); },
         {},
         {"old.dll", "before 1980", "touch"}},
        {"a time after 2107",
         [&] { Put(release / "late.dll", "x", Utc(2108, 1, 1, 0, 0, 0)); },
         {},
         {"late.dll", "after 2107"}},
        {"a file of 2 GiB",
         [&] {
             Put(release / "huge.bin", "");
             fs::resize_file(release / "huge.bin", uint64_t(1) << 31);  // sparse: nothing is written
         },
         {},
         {"huge.bin", "2 GiB"}},
        {"a relative CPATH",
         {},
         {"--folder", release.string(), spath, "Marvane\\TolvarService"},
         {"CPATH", "absolute local path"}},
        {"a missing SOURCE",
         {},
         {"--folder", (dir_ / "nowhere").string(), spath, cpath},
         {"nowhere", "no such folder"}},
        {"an empty SOURCE",
         [&] { fs::create_directories(dir_ / "empty/sub"); },
         {"--folder", (dir_ / "empty").string(), spath, cpath},
         {"empty", "holds no files"}},
        {"a mask over a listed file",
         {},
         {"--delete", "C:\\Marvane\\TolvarService\\*.DLL"},
         {"good.dll", "matches the listed file"}},
        {"the list's own name",
         [&] { Put(release / "UpGradeList.txt", "x"); },
         {},
         {"UpGradeList.txt", "the upgrade list's own place"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(release);
        fs::remove_all(dir_ / "empty");
        Put(release / "good.dll", "fine");
        if (c.make) c.make();
        std::vector<std::string> args = {root.string()};
        if (c.args.empty() || c.args[0] != "--folder")
            args.insert(args.end(), {"--folder", release.string(), spath, cpath});
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(Tolvarpub(args), 1) << output_;
        for (const std::string& word : c.told)
            EXPECT_NE(output_.find(word), std::string::npos) << word << " in " << output_;
        EXPECT_NE(output_.find("nothing written"), std::string::npos) << output_;
        EXPECT_FALSE(fs::exists(root));
    }
    for (const std::string& path : Tree(dir_))
        EXPECT_EQ(path.find("tolvarpub-"), std::string::npos) << "left behind: " << path;
}

TEST_F(PublishTool, SignsTheRootAsFeedsignSignsIt) {
    const fs::path release = dir_ / "release", root = dir_ / "root";
    Put(release / "a.dll", "abc");
    Put(release / "sub/b.dll", "b");
    const fs::path key = KeyPair("vendor");
    std::vector<std::string> args = {
        root.string(), "--folder",  release.string(), "/TolvarService", "C:\\Marvane\\TolvarService",
        "--key",       key.string()};
    EXPECT_EQ(
        Tolvarpub({root.string(), "--folder", release.string(), "/TolvarService", "C:\\Marvane", "--valid-days", "9"}),
        2)
        << "a validity without a key";
    for (const char* days : {"0", "3661", "ten"}) {
        std::vector<std::string> wrong = args;
        wrong.insert(wrong.end(), {"--valid-days", days});
        EXPECT_EQ(Tolvarpub(wrong), 2) << days;
    }
    EXPECT_FALSE(fs::exists(root));
    args.insert(args.end(), {"--valid-days", "10"});
    const ManifestTime before = ManifestNow();
    ASSERT_EQ(Tolvarpub(args), 0) << output_;
    EXPECT_NE(output_.find("UpGradeList.sig: 3 files"), std::string::npos) << output_;
    const TManifest manifest =
        ReadManifest(testserver::ReadWholeFile((root / "FTPHome/TolvarService/UpGradeList.sig").string()));
    EXPECT_GE(manifest.Expires, before + std::chrono::days(10));
    EXPECT_LE(manifest.Expires, ManifestNow() + std::chrono::days(10));
    EXPECT_NE(output_.find("the manifests expire " + FormatManifestTime(manifest.Expires)), std::string::npos)
        << output_;
    EXPECT_EQ(output_.find(".tolvarpub-"), std::string::npos)
        << "the manifests are named where they end up: " << output_;

    const TVerifyingKey publicKey = TVerifyingKey::Load(dir_ / "vendor.pub.pem");
    const auto entries = [&] {
        const std::string text = testserver::ReadWholeFile((root / "FTPHome/TolvarService/UpGradeList.sig").string());
        const TManifest read = ReadManifest(text);
        EXPECT_TRUE(publicKey.Verifies(std::string_view(text).substr(0, read.SignedLength), read.Signature));
        std::map<std::string, Sha256Digest> byPath;
        for (const TManifestEntry& e : read.Entries) byPath[e.Path] = e.Hash;
        return byPath;
    };
    const std::map<std::string, Sha256Digest> written = entries();
    EXPECT_EQ(written, (std::map<std::string, Sha256Digest>{
                           {"/FTPHome/TolvarService/UpGradeList.txt", Sha256OfFile(root / kList)},
                           {"/FTPHome/TolvarService/a.dll", Sha256OfBytes("abc")},
                           {"/FTPHome/TolvarService/sub/b.dll", Sha256OfBytes("b")}}));
    ASSERT_EQ(Run(FEEDSIGN, {key.string(), root.string()}), 0) << output_;
    EXPECT_EQ(entries(), written);

    // A key that cannot sign stops the run before anything is written.
    fs::remove_all(root);
    std::vector<std::string> publicAsKey = args;
    publicAsKey[6] = (dir_ / "vendor.pub.pem").string();  // after --key
    EXPECT_EQ(Tolvarpub(publicAsKey), 1);
    EXPECT_EQ(output_.rfind("tolvarpub: ", 0), 0u) << output_;
    EXPECT_FALSE(fs::exists(root));
}
