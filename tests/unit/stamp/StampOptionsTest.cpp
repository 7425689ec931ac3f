#include <gtest/gtest.h>

#include "base/Exceptions.h"
#include "stamp/SettingsFile.h"
#include "stamp/StampOptions.h"

using namespace tolvar;

TEST(StampOptions, TakesTheTwoFilesAndTheOptionsInAnyOrder) {
    StampOptions o = ParseStampArguments(
        {"in.exe", "--feed-key", "vendor.pub.pem", "out.exe", "--settings", "s.txt", "--update-root", "http://h:1"});
    EXPECT_EQ(o.Input, "in.exe");
    EXPECT_EQ(o.Output, "out.exe");
    EXPECT_EQ(o.SettingsFile, "s.txt");
    EXPECT_EQ(o.UpdateRoot, "http://h:1");
    EXPECT_EQ(o.FeedKeyFile, "vendor.pub.pem");
    EXPECT_FALSE(o.Help);

    o = ParseStampArguments({"--settings", "C:\\s dir\\s.txt", "a.exe", "b.exe"});
    EXPECT_EQ(o.Input, "a.exe");
    EXPECT_EQ(o.Output, "b.exe");
    EXPECT_EQ(o.SettingsFile, "C:\\s dir\\s.txt");
    EXPECT_FALSE(o.UpdateRoot);
    EXPECT_FALSE(o.FeedKeyFile);

    EXPECT_TRUE(ParseStampArguments({"--help"}).Help);
    EXPECT_EQ(ParseStampArguments({"a", "b", "--settings", "s", "--update-root", "https://h"}).UpdateRoot, "https://h");
}

TEST(StampOptions, RefusesIncompleteOrUnclearCommandLines) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"in.exe", "out.exe"},              // no settings
        {"in.exe", "--settings", "s.txt"},  // no output
        {"in.exe", "out.exe", "more.exe", "--settings", "s.txt"},
        {"in.exe", "out.exe", "--settings"},  // option without its value
        {"in.exe", "out.exe", "--settings", "a", "--settings", "b"},
        {"in.exe", "out.exe", "--settings", "s", "--update-root", "http://a", "--update-root", "http://b"},
        {"in.exe", "out.exe", "--settings", "s", "--root", "http://a"},
        {"in.exe", "out.exe", "--settings", "s", "--update-root", "ftp://a"},
        {"in.exe", "out.exe", "--settings", "s", "--feed-key", "a.pem", "--feed-key", "b.pem"},
        {"in.exe", "out.exe", "--settings", "s", "--feed-key"},
    };
    for (const auto& args : bad) {
        std::string line;
        for (const auto& a : args) line += a + " ";
        EXPECT_THROW(ParseStampArguments(args), Exception) << line;
    }
    try {
        ParseStampArguments({"in.exe", "out.exe", "--settings", "s", "--update-root", "http://x/path"});
        FAIL();
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("http://x/path"), std::string::npos) << e.Message();
    }
}

TEST(StampOptions, FindsTheFolderForTheTemporaryCopy) {
    const std::pair<const char*, const char*> cases[] = {
        {"out.exe", "."},        {"C:\\builds\\out.exe", "C:\\builds"},
        {"C:\\out.exe", "C:\\"}, {"/tmp/x/out.exe", "/tmp/x"},
        {"/out.exe", "/"},       {"C:out.exe", "C:"},
        {"a/b\\out.exe", "a/b"},
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(DirectoryOf(path), folder) << path;
}

TEST(SettingsFile, NamesTheSettingsWithoutTheirValues) {
    EXPECT_EQ(SettingNames("CompanyCode=A\r\n\r\nno equals\nDomain IP=1=2\rHomePage="),
              (std::vector<std::string>{"CompanyCode", "Domain IP", "HomePage"}));
}

TEST(SettingsFile, ReadsBytesAndSaysWhyItCannot) {
    const std::string path = testing::TempDir() + "settings-file-test.txt";
    const std::string content("A=1\r\nB=\xB9\xAE\0z\n", 11);
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
    }
    EXPECT_EQ(ReadWholeFile(path, "the settings file"), content);
    std::remove(path.c_str());
    try {
        ReadWholeFile(path, "the settings file");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("the settings file \"" + path + "\""), std::string::npos) << e.Message();
    }
    EXPECT_THROW(ReadWholeFile(testing::TempDir(), "the settings file"), Exception);  // a folder

    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    EXPECT_EQ(ReadWholeFile(path, "x"), "");
    EXPECT_THROW(ReadSettingsFile(path), Exception);  // nothing to seal
    std::remove(path.c_str());
}
