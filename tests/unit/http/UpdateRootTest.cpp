#include <gtest/gtest.h>

#include "http/UpdateRoot.h"
#include "http/Url.h"

namespace tolvar {
namespace {

TEST(UpdateRootTest, AcceptsAPlainOrHttpsHostWithAnOptionalPort) {
    struct Case {
        const char* root;
        uint16_t port;  // what the client connects to
    };
    const Case good[] = {
        {"http://127.0.0.1:8642", 8642},
        {"http://update.example.com", 80},
        {"http://a-b.c:1", 1},
        {"http://h:65535", 65535},
        {"http://H:080", 80},
        {"https://update.example.com", 443},
        {"https://localhost:8443", 8443},
        {"https://h:443", 443},
        {"https://h:80", 80},
    };
    for (const Case& c : good) {
        EXPECT_EQ(UpdateRootProblem(c.root), "") << c.root;
        EXPECT_EQ(ParseUrl(std::string(c.root) + "/FTPHome/TolvarService/UpGradeList.txt").PortNumber(), c.port)
            << c.root;
    }
}

TEST(UpdateRootTest, RefusesEverythingElseSayingWhy) {
    struct Case {
        const char* root;
        const char* says;
    };
    const Case bad[] = {
        {"", "does not start with http:// or https://"},
        {"ftp://x", "does not start with"},
        {"HTTP://x", "does not start with"},
        {"HTTPS://x", "does not start with"},
        {"httpss://x", "does not start with"},
        {"http:/x", "does not start with"},
        {"http://", "has no host"},
        {"https://", "has no host"},
        {"http://:80", "has no host"},
        {"https://:443", "has no host"},
        {"http://x/", "must be http://host[:port] alone"},
        {"https://x/", "must be https://host[:port] alone"},
        {"https://x/path", "without a path"},
        {"http://x?q=1", "query"},
        {"https://x#f", "fragment"},
        {"http://u@x", "user information"},
        {"https://u:p@x:443", "user information"},
        {"http://x:0", "port"},
        {"https://x:0", "port"},
        {"https://x:65536", "port"},
        {"http://x:", "port"},
        {"http://x:8a", "port"},
        {"http://x:+80", "port"},
        {"https://x:99999999999999999999", "port"},
        {"http://x:80:81", "port"},
        {"http://x y", "character"},
        {"https://[::1]:443", "character"},
        {"http://x\\y", "character"},
    };
    for (const Case& c : bad) {
        const std::string problem = UpdateRootProblem(c.root);
        EXPECT_NE(problem.find(c.says), std::string::npos) << c.root << ": " << problem;
        EXPECT_NE(problem.find(std::string("\"") + c.root + "\""), std::string::npos) << problem;
    }
}

}  // namespace
}  // namespace tolvar
