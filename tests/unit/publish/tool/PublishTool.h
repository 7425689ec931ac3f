#pragma once
// tolvarpub and feedsign run as a vendor runs them, in a scratch folder of the test's own.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "testserver/TestServer.h"

namespace tolvar::test {

namespace fs = std::filesystem;

// A word for the shell, quoted.
inline std::string Shell(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class PublishTool : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(testing::TempDir()) / ("tolvarpub-" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Exit code; both output streams in output_. No standard input.
    int Run(const std::string& program, const std::vector<std::string>& args) {
        std::string command = Shell(program);
        for (const std::string& arg : args) command += " " + Shell(arg);
        const fs::path out = dir_ / "output.txt";
        const int status = std::system((command + " </dev/null >" + Shell(out.string()) + " 2>&1").c_str());
        output_ = testserver::ReadWholeFile(out.string());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    int Tolvarpub(const std::vector<std::string>& args) { return Run(TOLVARPUB, args); }

    // A file of the release with its bytes and its modification time (seconds and nanoseconds
    // since 1970, UTC).
    static void Put(const fs::path& file, const std::string& bytes, int64_t seconds = 1714558230,
                    long nanoseconds = 0) {
        testserver::WriteWholeFile(file.string(), bytes);
        const timespec times[2] = {{time_t(seconds), nanoseconds}, {time_t(seconds), nanoseconds}};
        ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0) << file;
    }

    // Every path below a folder, relative to it, folders with a final "/".
    static std::vector<std::string> Tree(const fs::path& folder) {
        std::vector<std::string> paths;
        if (!fs::exists(folder)) return paths;
        for (const fs::directory_entry& e : fs::recursive_directory_iterator(folder))
            paths.push_back(e.path().lexically_relative(folder).string() + (e.is_directory() ? "/" : ""));
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    // A key pair made by feedsign: the private key's file; the public key beside it as NAME.pub.pem.
    fs::path KeyPair(const std::string& name) {
        const fs::path key = dir_ / (name + ".pem");
        EXPECT_EQ(Run(FEEDSIGN, {"keygen", key.string(), (dir_ / (name + ".pub.pem")).string()}), 0) << output_;
        return key;
    }

    fs::path dir_;
    std::string output_;
};

}  // namespace tolvar::test
