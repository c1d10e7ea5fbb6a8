// Calls over a real loopback connection: results come back, errors of the other end's handler
// arrive as ERemoteError with its message, calls nest both ways (the host asks the workbench's
// user in the middle of a call), and a closed connection ends the serving end.
#include "remote/RemoteEnd.h"

#include <gtest/gtest.h>

#include <thread>

using namespace tkv;
using namespace tkv::remote;

namespace {

struct Pair {
    Pair() {
        TListener listener;
        std::thread accept([&] { server = std::make_unique<TRemoteEnd>(listener.Accept()); });
        client = std::make_unique<TRemoteEnd>(TConnection::Connect(listener.Port()));
        accept.join();
    }
    std::unique_ptr<TRemoteEnd> client, server;
};

} // namespace

TEST(RemoteEndTest, CallsAnswerErrorsAndNestBothWays) {
    Pair p;
    p.client->Handle("Ui.Ask",
                     [](const TValues& a) { return TValues{OleVariant(Arg(a, 0).AsString() == "保存?")}; });
    p.server->Handle("Add", [](const TValues& a) {
        return TValues{OleVariant(Arg(a, 0).AsInteger() + Arg(a, 1).AsInteger())};
    });
    p.server->Handle("Fail", [](const TValues&) -> TValues { throw std::runtime_error("库存不足"); });
    TRemoteEnd& server = *p.server;
    p.server->Handle("SaveWithQuestion", [&server](const TValues&) {
        const bool yes = Arg(server.Call("Ui.Ask", {OleVariant("保存?")}), 0).AsBoolean();
        return TValues{OleVariant(yes ? 1 : 0)};
    });
    std::thread serving([&] { p.server->Serve(); });

    EXPECT_EQ(Arg(p.client->Call("Add", {OleVariant(2), OleVariant(40)}), 0).AsInteger(), 42);
    try {
        p.client->Call("Fail", {});
        ADD_FAILURE() << "no error";
    } catch (const ERemoteError& e) {
        EXPECT_STREQ(e.what(), "库存不足");
    }
    EXPECT_EQ(Arg(p.client->Call("SaveWithQuestion", {}), 0).AsInteger(), 1);
    EXPECT_THROW(p.client->Call("NoSuchMethod", {}), ERemoteError);
    EXPECT_THROW(p.client->Call("Add", {OleVariant(1)}), ERemoteError)
        << "a missing argument is the handler's error";
    // The connection still works after every error.
    EXPECT_EQ(Arg(p.client->Call("Add", {OleVariant(1), OleVariant(1)}), 0).AsInteger(), 2);

    p.client->Close();
    serving.join(); // Serve returns once the other end has closed
}

TEST(RemoteEndTest, LargePacketsArriveWhole) {
    Pair p;
    p.server->Handle("Echo", [](const TValues& a) { return a; });
    std::thread serving([&] { p.server->Serve(); });
    OleVariant::Bytes big(8 * 1024 * 1024);
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<std::uint8_t>(i * 31);
    const TValues back = p.client->Call("Echo", {OleVariant::ByteArray(big)});
    EXPECT_TRUE(Arg(back, 0).AsBytes() == big);
    p.client->Close();
    serving.join();
}

TEST(RemoteEndTest, ConnectingWhereNobodyListensFails) {
    std::uint16_t port;
    {
        TListener listener;
        port = listener.Port();
    }
    EXPECT_THROW(TConnection::Connect(port), EConnectionClosed);
}
