// Nested calls over one connection.
#include "RemoteEnd.h"

namespace tkv::remote {

const OleVariant& Arg(const TValues& args, std::size_t index) {
    if (index >= args.size())
        throw ERemoteError("argument " + std::to_string(index) + " missing");
    return args[index];
}

void TRemoteEnd::Answer(const TMessage& call) {
    TMessage reply;
    auto it = handlers_.find(call.Name);
    if (it == handlers_.end()) {
        reply.Kind = TMessageKind::mkError;
        reply.Name = "no method " + call.Name;
    } else {
        try {
            reply.Kind = TMessageKind::mkReturn;
            reply.Values = it->second(call.Values);
        } catch (const EConnectionClosed&) {
            throw;
        } catch (const std::exception& e) {
            reply.Kind = TMessageKind::mkError;
            reply.Name = e.what();
            reply.Values.clear();
        }
    }
    connection_.Send(reply);
}

TValues TRemoteEnd::Call(const std::string& name, TValues args) {
    connection_.Send(TMessage{TMessageKind::mkCall, name, std::move(args)});
    for (;;) {
        TMessage m = connection_.Receive();
        switch (m.Kind) {
        case TMessageKind::mkReturn:
            return std::move(m.Values);
        case TMessageKind::mkError:
            throw ERemoteError(m.Name);
        case TMessageKind::mkCall:
            Answer(m);
            break;
        }
    }
}

void TRemoteEnd::Serve() {
    for (;;) {
        TMessage m;
        try {
            m = connection_.Receive();
        } catch (const EConnectionClosed&) {
            return;
        }
        if (m.Kind != TMessageKind::mkCall)
            throw EWireFormat("an answer arrived while no call was waiting");
        Answer(m);
    }
}

} // namespace tkv::remote
