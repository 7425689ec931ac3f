#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "http/HttpErrors.h"
#include "http/HttpRequest.h"
#include "http/Url.h"

namespace tolvar {
namespace {

TEST(UrlTest, Parts) {
    struct Case {
        std::string url;
        std::string user, password, host, port;
        uint16_t portNumber;
        std::string target, hostHeader;
    };
    const std::vector<Case> cases = {
        {"http://h/a/b.txt", "", "", "h", "", 80, "/a/b.txt", "h"},
        {"http://h:80/a", "", "", "h", "80", 80, "/a", "h"},
        {"http://h:8642/a#frag", "", "", "h", "8642", 8642, "/a", "h:8642"},
        {"http://h:080/a", "", "", "h", "080", 80, "/a", "h:080"},
        {"http://u:p:w@h:81/x?q=1", "u", "p:w", "h", "81", 81, "/x?q=1", "h:81"},
        {"http://u@h/x", "u", "", "h", "", 80, "/x", "h"},
        {"http://h", "", "", "h", "", 80, "/", "h"},
        {"http://h?q", "", "", "h", "", 80, "/?q", "h"},
        {"HTTP://h\\a\\b c", "", "", "h", "", 80, "/a/b c", "h"},
        {"http://[::1]:8080/x", "", "", "[::1]", "8080", 8080, "/x", "[::1]:8080"},
        {"https://h/a", "", "", "h", "", 443, "/a", "h"},
        {"HTTPS://h:443/a", "", "", "h", "443", 443, "/a", "h"},
        {"https://h:80/a", "", "", "h", "80", 80, "/a", "h:80"},
        {"https://h:8443", "", "", "h", "8443", 8443, "/", "h:8443"},
        {"http://h:443/a", "", "", "h", "443", 443, "/a", "h:443"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        const TUrl url = ParseUrl(c.url);
        EXPECT_EQ(url.User, c.user);
        EXPECT_EQ(url.Password, c.password);
        EXPECT_EQ(url.Host, c.host);
        EXPECT_EQ(url.Port, c.port);
        EXPECT_EQ(url.PortNumber(), c.portNumber);
        EXPECT_EQ(url.Target, c.target);
        EXPECT_EQ(url.HostHeader(), c.hostHeader);
        EXPECT_EQ(url.Secure(), c.url[4] == 's' || c.url[4] == 'S');
    }
    EXPECT_EQ(ParseUrl("http://[::1]/").ConnectHost(), "::1");
}

TEST(UrlTest, Rejected) {
    const std::vector<std::string> urls = {"ftp://h/",
                                           "httpx://h/",
                                           "h/x",
                                           "https:///x",
                                           "https://h:0/",
                                           "http:///x",
                                           "http://h:0/",
                                           "http://h:70000/",
                                           "http://h:8a/",
                                           "http://[::1/",
                                           "http://h/a\r\nX-Injected: 1",
                                           std::string("http://h/a\0b", 12)};
    for (const std::string& url : urls) {
        SCOPED_TRACE(url);
        EXPECT_THROW(ParseUrl(url), EHTTPProtocolError);
    }
}

TEST(UrlTest, HostHeaderCarriesThePortUnlessItIs80) {
    const std::string rest = "Accept: text/html, */*\r\nUser-Agent: Mozilla/3.0 (compatible; TolvarClient)\r\n\r\n";
    EXPECT_EQ(HTTPRequestBytes("GET", ParseUrl("http://update.example/a.txt")),
              "GET /a.txt HTTP/1.1\r\nContent-Type: text/html\r\nHost: update.example\r\n" + rest);
    EXPECT_EQ(HTTPRequestBytes("GET", ParseUrl("http://update.example:80/a.txt")),
              "GET /a.txt HTTP/1.1\r\nContent-Type: text/html\r\nHost: update.example\r\n" + rest);
    EXPECT_EQ(HTTPRequestBytes("HEAD", ParseUrl("http://update.example:8642/a.txt")),
              "HEAD /a.txt HTTP/1.1\r\nContent-Type: text/html\r\nHost: update.example:8642\r\n" + rest);
}

}  // namespace
}  // namespace tolvar
