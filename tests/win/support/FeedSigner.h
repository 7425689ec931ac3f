#pragma once
// The signing server of a fixture (tolvar_feed_signer_fixture): it signs a server root with the
// vendor's tool, with key pairs it made when it started.
#include <algorithm>
#include <stdexcept>
#include <string>

#include "http/HttpClient.h"
#include "testserver/TestServer.h"

namespace tolvar::test {

class FeedSigner {
public:
    explicit FeedSigner(const std::string& fixture) : server_(testserver::FindTestServer(fixture)) {
        if (!server_) throw std::runtime_error("no signing server: run this test through ctest");
    }

    // Signs the server root (a folder as this process names it) with the key pair `key`;
    // raises with the tool's words when it refuses.
    void Sign(const std::string& root, const std::string& key = "vendor") const {
        const std::string answer = FetchText(server_.Url + "/sign?key=" + key + "&root=" + UnixPath(root));
        if (!answer.starts_with("ok\n")) throw std::runtime_error("feedsign did not sign " + root + ": " + answer);
    }
    // The public key's PEM file, as this process names it, and its text.
    std::string PublicKeyFile(const std::string& key = "vendor") const {
        return server_.File("keys/" + key + ".pub.pem");
    }
    std::string PublicKey(const std::string& key = "vendor") const {
        return testserver::ReadWholeFile(PublicKeyFile(key));
    }

private:
    // Z:\x\y as the signing server names it: /x/y.
    static std::string UnixPath(std::string path) {
        if (path.size() >= 2 && path[1] == ':') path.erase(0, 2);
        std::replace(path.begin(), path.end(), '\\', '/');
        return path;
    }
    testserver::TTestServer server_;
};

}  // namespace tolvar::test
