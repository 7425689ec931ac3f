// The host sealer run as the build runs it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

#include "base/SettingsCipher.h"

using namespace tolvar;
namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

int RunSealer(const std::string& arguments) {
    const int status = std::system((std::string(SEALSETTINGS) + " " + arguments).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class SealSettingsTool : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(testing::TempDir()) / ("sealsettings-" + std::to_string(getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

}  // namespace

TEST_F(SealSettingsTool, SealsTheDemoSettingsToAFileAndToStandardOutput) {
    const std::string plain = Slurp(DEMO_SETTINGS);
    ASSERT_FALSE(plain.empty());
    ASSERT_EQ(RunSealer(std::string(DEMO_SETTINGS) + " " + (dir_ / "sealed").string()), 0);
    const std::string sealed = Slurp(dir_ / "sealed");
    EXPECT_EQ(sealed.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
              std::string::npos);
    EXPECT_EQ(DecryptText(sealed, SettingsKeyPhrase), plain);

    ASSERT_EQ(RunSealer(std::string(DEMO_SETTINGS) + " > " + (dir_ / "stdout").string()), 0);
    EXPECT_EQ(Slurp(dir_ / "stdout"), sealed + "\n");
}

TEST_F(SealSettingsTool, FailsClearlyOnAnUnreadableInput) {
    const fs::path out = dir_ / "sealed";
    const fs::path err = dir_ / "stderr";
    std::ofstream(dir_ / "empty.txt").close();
    for (const fs::path& input : {dir_ / "missing.txt", dir_, dir_ / "empty.txt"}) {
        EXPECT_EQ(RunSealer(input.string() + " " + out.string() + " 2> " + err.string()), 1) << input;
        EXPECT_NE(Slurp(err).find("the settings file \"" + input.string() + "\""), std::string::npos) << Slurp(err);
        EXPECT_FALSE(fs::exists(out));
    }
    EXPECT_EQ(RunSealer("2> " + err.string()), 1);
    EXPECT_NE(Slurp(err).find("usage: sealsettings"), std::string::npos);
}
