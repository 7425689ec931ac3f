#include "ScriptedServer.h"

#include <chrono>

#include "http/HttpErrors.h"

namespace tolvar::test {

using namespace std::chrono_literals;

TScriptedServer::TScriptedServer(std::vector<Piece> response, Milliseconds hold)
    : listener_(NewLoopbackListener()), port_(listener_->Port()), response_(std::move(response)), hold_(hold) {
    thread_ = std::thread([this] { Run(); });
}

TScriptedServer::~TScriptedServer() { Finish(); }

void TScriptedServer::Finish() {
    if (thread_.joinable()) thread_.join();
}

std::string TScriptedServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::string TScriptedServer::Request() {
    Finish();
    return request_;
}

bool TScriptedServer::ClientReadEverything() {
    Finish();
    return clientReadEverything_;
}

void TScriptedServer::Run() {
    try {
        const std::unique_ptr<TByteStream> connection = listener_->Accept(5s);
        char buffer[4096];
        size_t headsSeen = 0;
        const auto awaitHead = [&] {
            for (;;) {
                const size_t end = request_.find("\r\n\r\n", headsSeen);
                if (end != std::string::npos) {
                    headsSeen = end + 4;
                    return true;
                }
                const size_t n = connection->Read(buffer, sizeof buffer, 5s);
                if (n == 0) return false;
                request_.append(buffer, n);
            }
        };
        if (!awaitHead()) return;
        for (const Piece& piece : response_) {
            if (piece.AwaitsRequest && !awaitHead()) return;
            if (piece.DelayMs > 0) std::this_thread::sleep_for(Milliseconds(piece.DelayMs));
            connection->WriteAll(piece.Bytes, 5s);
        }
        if (hold_.count() > 0) {
            // A client that closes with unread bytes resets the connection instead.
            clientReadEverything_ = connection->Read(buffer, sizeof buffer, hold_) == 0;
        }
    } catch (const Exception&) {
        // The client broke off or never came; the test's own assertions tell which.
    }
}

}  // namespace tolvar::test
