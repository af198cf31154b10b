#pragma once

// Before windows.h, which would bring the old sockets header.
#include <winsock2.h>

#include <windows.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace tsy::testing {

// A tiny HTTP server on 127.0.0.1 for the fetch tests: answers each GET by its path from a
// table (404 for anything else), one connection at a time, and keeps every request head.
// Stops with the object; every wait on the socket is bounded.
class TLoopbackHttpServer {
public:
    struct TAnswer {
        int Status = 200;
        std::string Body;
        // Holds the connection open without a word, until the client or the server gives up.
        bool Silent = false;
    };

    explicit TLoopbackHttpServer(std::map<std::string, TAnswer> answers);
    TLoopbackHttpServer(const TLoopbackHttpServer&) = delete;
    TLoopbackHttpServer& operator=(const TLoopbackHttpServer&) = delete;
    ~TLoopbackHttpServer();

    bool Listening() const noexcept { return listener_ != INVALID_SOCKET; }
    // "http://127.0.0.1:PORT/".
    std::string BaseURL() const;
    std::vector<std::string> Requests() const;

    // A loopback port nothing listens on.
    static unsigned short RefusingPort();

private:
    static DWORD WINAPI Serve(LPVOID self);
    void Answer(SOCKET client);

    std::map<std::string, TAnswer> answers_;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    HANDLE thread_ = nullptr;
    volatile LONG stop_ = 0;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
};

} // namespace tsy::testing
