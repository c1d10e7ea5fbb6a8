// A local TCP connection between the workbench and the reference host, carrying whole messages
// (each framed by its 32-bit length). Winsock on Windows, BSD sockets elsewhere; the listener binds
// the loopback address only.
#pragma once

#include "WireFormat.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tkv::remote {

// Raised when the peer closed the connection or the network failed.
class EConnectionClosed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TConnection {
public:
    TConnection() = default;
    explicit TConnection(std::intptr_t socket) : socket_(socket) {}
    TConnection(TConnection&& other) noexcept;
    TConnection& operator=(TConnection&& other) noexcept;
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;
    ~TConnection();

    // Connects to the port on the loopback address; raises EConnectionClosed when nobody listens.
    static TConnection Connect(std::uint16_t port);

    bool Open() const { return socket_ != -1; }
    void Send(const TMessage& message);
    // Waits for the next message; raises EConnectionClosed when the peer has closed.
    TMessage Receive();
    void Close();

private:
    void SendAll(const char* data, std::size_t size);
    void ReceiveAll(char* data, std::size_t size);
    std::intptr_t socket_ = -1;
};

class TListener {
public:
    // Listens on the port of the loopback address (0: one the system picks).
    explicit TListener(std::uint16_t port = 0);
    ~TListener();
    TListener(const TListener&) = delete;
    TListener& operator=(const TListener&) = delete;

    std::uint16_t Port() const { return port_; }
    TConnection Accept();

private:
    std::intptr_t socket_ = -1;
    std::uint16_t port_ = 0;
};

} // namespace tkv::remote
