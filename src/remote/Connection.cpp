// Sockets and message framing.
#include "Connection.h"

#if defined(_WIN32)
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <utility>

namespace tkv::remote {

namespace {

// Larger than any packet the host answers with; a length beyond it means the bytes are no message.
constexpr std::uint32_t kMaxMessage = 1u << 30;

#if defined(_WIN32)
using Socket = SOCKET;
constexpr Socket kNoSocket = INVALID_SOCKET;
void CloseSocket(Socket s) {
    closesocket(s);
}
void StartNetwork() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    (void)started;
}
#else
using Socket = int;
constexpr Socket kNoSocket = -1;
void CloseSocket(Socket s) {
    ::close(s);
}
void StartNetwork() {}
#endif

Socket AsSocket(std::intptr_t s) {
    return s == -1 ? kNoSocket : static_cast<Socket>(s);
}

sockaddr_in Loopback(std::uint16_t port) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return addr;
}

void NoDelay(Socket s) {
    int one = 1;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
}

} // namespace

TConnection::TConnection(TConnection&& other) noexcept : socket_(std::exchange(other.socket_, -1)) {}

TConnection& TConnection::operator=(TConnection&& other) noexcept {
    if (this != &other) {
        Close();
        socket_ = std::exchange(other.socket_, -1);
    }
    return *this;
}

TConnection::~TConnection() {
    Close();
}

void TConnection::Close() {
    if (socket_ != -1)
        CloseSocket(AsSocket(socket_));
    socket_ = -1;
}

TConnection TConnection::Connect(std::uint16_t port) {
    StartNetwork();
    Socket s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == kNoSocket)
        throw EConnectionClosed("no socket");
    const sockaddr_in addr = Loopback(port);
    if (connect(s, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
        CloseSocket(s);
        throw EConnectionClosed("the reference host does not answer on port " + std::to_string(port));
    }
    NoDelay(s);
    return TConnection(static_cast<std::intptr_t>(s));
}

void TConnection::SendAll(const char* data, std::size_t size) {
    while (size > 0) {
        const int chunk = static_cast<int>(size > (1u << 20) ? (1u << 20) : size);
#if defined(_WIN32)
        const int sent = send(AsSocket(socket_), data, chunk, 0);
#else
        const int sent =
            static_cast<int>(::send(AsSocket(socket_), data, static_cast<std::size_t>(chunk), MSG_NOSIGNAL));
#endif
        if (sent <= 0)
            throw EConnectionClosed("the connection was lost while sending");
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
}

void TConnection::ReceiveAll(char* data, std::size_t size) {
    while (size > 0) {
        const int chunk = static_cast<int>(size > (1u << 20) ? (1u << 20) : size);
        const int got = static_cast<int>(recv(AsSocket(socket_), data, chunk, 0));
        if (got <= 0)
            throw EConnectionClosed("the connection was closed");
        data += got;
        size -= static_cast<std::size_t>(got);
    }
}

void TConnection::Send(const TMessage& message) {
    if (socket_ == -1)
        throw EConnectionClosed("not connected");
    const std::string body = EncodeMessage(message);
    char header[4];
    const auto n = static_cast<std::uint32_t>(body.size());
    for (int i = 0; i < 4; ++i)
        header[i] = static_cast<char>((n >> (8 * i)) & 0xFF);
    SendAll(header, 4);
    SendAll(body.data(), body.size());
}

TMessage TConnection::Receive() {
    if (socket_ == -1)
        throw EConnectionClosed("not connected");
    unsigned char header[4];
    ReceiveAll(reinterpret_cast<char*>(header), 4);
    const std::uint32_t n =
        header[0] | (header[1] << 8) | (header[2] << 16) | (static_cast<std::uint32_t>(header[3]) << 24);
    if (n > kMaxMessage)
        throw EWireFormat("message length " + std::to_string(n) + " beyond the limit");
    std::string body(n, '\0');
    ReceiveAll(body.data(), n);
    return DecodeMessage(body);
}

TListener::TListener(std::uint16_t port) {
    StartNetwork();
    Socket s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == kNoSocket)
        throw EConnectionClosed("no socket");
    const sockaddr_in addr = Loopback(port);
    if (bind(s, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 || listen(s, 1) != 0) {
        CloseSocket(s);
        throw EConnectionClosed("cannot listen on port " + std::to_string(port));
    }
    sockaddr_in bound{};
    socklen_t len = sizeof bound;
    getsockname(s, reinterpret_cast<sockaddr*>(&bound), &len);
    port_ = ntohs(bound.sin_port);
    socket_ = static_cast<std::intptr_t>(s);
}

TListener::~TListener() {
    if (socket_ != -1)
        CloseSocket(AsSocket(socket_));
}

TConnection TListener::Accept() {
    Socket s = accept(AsSocket(socket_), nullptr, nullptr);
    if (s == kNoSocket)
        throw EConnectionClosed("accept failed");
    NoDelay(s);
    return TConnection(static_cast<std::intptr_t>(s));
}

} // namespace tkv::remote
