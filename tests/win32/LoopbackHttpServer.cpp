#include "LoopbackHttpServer.h"

#include <ws2tcpip.h>

#include <cstdio>

namespace tsy::testing {

namespace {

constexpr long kPollMicroseconds = 50000;
constexpr std::size_t kMostHeadBytes = 16384;
constexpr int kMostPolls = 100; // per request: five seconds

struct TWinsock {
    TWinsock() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~TWinsock() { WSACleanup(); }
};

bool Readable(SOCKET socket) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket, &set);
    timeval wait{0, kPollMicroseconds};
    return select(0, &set, nullptr, nullptr, &wait) == 1;
}

SOCKET BoundLoopbackSocket(unsigned short& port) {
    static TWinsock winsock;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return s;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int size = sizeof address;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    port = ntohs(address.sin_port);
    return s;
}

} // namespace

TLoopbackHttpServer::TLoopbackHttpServer(std::map<std::string, TAnswer> answers)
    : answers_(std::move(answers)) {
    listener_ = BoundLoopbackSocket(port_);
    if (listener_ == INVALID_SOCKET)
        return;
    if (listen(listener_, 4) != 0) {
        closesocket(listener_);
        listener_ = INVALID_SOCKET;
        return;
    }
    thread_ = CreateThread(nullptr, 0, Serve, this, 0, nullptr);
}

TLoopbackHttpServer::~TLoopbackHttpServer() {
    InterlockedExchange(&stop_, 1);
    if (thread_) {
        WaitForSingleObject(thread_, 10000);
        CloseHandle(thread_);
    }
    if (listener_ != INVALID_SOCKET)
        closesocket(listener_);
}

std::string TLoopbackHttpServer::BaseURL() const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/";
}

std::vector<std::string> TLoopbackHttpServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

unsigned short TLoopbackHttpServer::RefusingPort() {
    unsigned short port = 0;
    SOCKET s = BoundLoopbackSocket(port);
    if (s != INVALID_SOCKET)
        closesocket(s);
    return port;
}

DWORD WINAPI TLoopbackHttpServer::Serve(LPVOID parameter) {
    auto* self = static_cast<TLoopbackHttpServer*>(parameter);
    while (!InterlockedCompareExchange(&self->stop_, 0, 0)) {
        if (!Readable(self->listener_))
            continue;
        SOCKET client = accept(self->listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET)
            continue;
        self->Answer(client);
        closesocket(client);
    }
    return 0;
}

void TLoopbackHttpServer::Answer(SOCKET client) {
    std::string head;
    for (int poll = 0; poll < kMostPolls && head.find("\r\n\r\n") == std::string::npos; ++poll) {
        if (head.size() > kMostHeadBytes || !Readable(client))
            continue;
        char buffer[1024];
        const int received = recv(client, buffer, sizeof buffer, 0);
        if (received <= 0)
            break;
        head.append(buffer, std::size_t(received));
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(head);
    }
    // "GET /path HTTP/1.1": the path without its leading slash names the answer.
    std::string path;
    if (head.rfind("GET /", 0) == 0)
        path = head.substr(5, head.find(' ', 5) - 5);
    TAnswer answer{404, "no such page"};
    if (auto it = answers_.find(path); it != answers_.end())
        answer = it->second;
    if (answer.Silent) {
        char ignored[256];
        for (int poll = 0; poll < kMostPolls && !InterlockedCompareExchange(&stop_, 0, 0); ++poll)
            if (Readable(client) && recv(client, ignored, sizeof ignored, 0) <= 0)
                break;
        return;
    }
    char status[160];
    std::snprintf(status, sizeof status,
                  "HTTP/1.1 %d Answer\r\nContent-Type: text/plain\r\nContent-Length: %u\r\n"
                  "Connection: close\r\n\r\n",
                  answer.Status, unsigned(answer.Body.size()));
    const std::string reply = status + answer.Body;
    std::size_t sent = 0;
    while (sent < reply.size()) {
        const int n = send(client, reply.data() + sent, int(reply.size() - sent), 0);
        if (n <= 0)
            break;
        sent += std::size_t(n);
    }
    shutdown(client, SD_SEND);
}

} // namespace tsy::testing
