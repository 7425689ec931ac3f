// The build's check of the root it compiles in, run as the build runs it.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include <sys/wait.h>

namespace {

struct Outcome {
    int exitCode;
    std::string output;
};

Outcome Check(const std::string& root) {
    const std::string command = std::string(CHECKROOT) + " '" + root + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    Outcome out{-1, {}};
    if (!pipe) return out;
    std::array<char, 256> buffer;
    for (size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) out.output.append(buffer.data(), n);
    const int status = pclose(pipe);
    out.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

TEST(CheckRootTool, PassesARootTheStamperTakesAndRefusesOneItDoesNotSayingWhy) {
    for (const char* good : {"http://127.0.0.1:8642", "https://update.example.com", "https://localhost:8443"}) {
        const Outcome out = Check(good);
        EXPECT_EQ(out.exitCode, 0) << good;
        EXPECT_EQ(out.output, "") << good;
    }
    const Outcome out = Check("https://update.example.com/updates");
    EXPECT_EQ(out.exitCode, 1);
    EXPECT_EQ(out.output,
              "the update root \"https://update.example.com/updates\" must be https://host[:port] alone, "
              "without a path (not even a final /), query or fragment\n");
    EXPECT_EQ(Check("ftp://x").exitCode, 1);
}

}  // namespace
