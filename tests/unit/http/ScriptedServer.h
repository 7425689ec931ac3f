#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "http/ByteStream.h"

namespace tolvar::test {

// One piece of a scripted response: wait, then send the bytes. A piece that awaits a request
// is sent only once the client has sent another request head (through a tunnel, the request
// after the proxy's answer).
struct Piece {
    std::string Bytes;
    int DelayMs = 0;
    bool AwaitsRequest = false;
};

// A loopback server for one connection, on a thread of its own: it records the request bytes
// exactly, answers with the scripted pieces, and then either closes at once or waits (up to
// `hold`) for the client to close first.
class TScriptedServer {
public:
    explicit TScriptedServer(std::vector<Piece> response, Milliseconds hold = Milliseconds(0));
    ~TScriptedServer();

    uint16_t Port() const { return port_; }
    std::string Url(const std::string& path = "/") const;

    // Both wait for the server to finish. All the client sent, every request head in turn.
    std::string Request();
    // The whole response went out and the client then closed without leaving any of it unread.
    bool ClientReadEverything();

private:
    void Run();
    void Finish();

    std::unique_ptr<TStreamListener> listener_;
    uint16_t port_;
    std::vector<Piece> response_;
    Milliseconds hold_;
    std::string request_;
    bool clientReadEverything_ = false;
    std::thread thread_;
};

}  // namespace tolvar::test
