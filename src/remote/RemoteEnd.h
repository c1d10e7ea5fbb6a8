// One end of the workbench's connection to the reference host. Either end calls a named method of
// the other and waits for its results; while it waits it answers the other end's calls (the host
// asks the workbench's user in the middle of a call), so calls nest in both directions on one
// thread. A handler's error goes back as an error message and is raised at the calling end.
#pragma once

#include "Connection.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tkv::remote {

using TValues = std::vector<OleVariant>;
using THandler = std::function<TValues(const TValues& args)>;

// The other end's handler failed; the message is its error's.
class ERemoteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TRemoteEnd {
public:
    explicit TRemoteEnd(TConnection connection) : connection_(std::move(connection)) {}

    // What this end answers when the other calls the name.
    void Handle(const std::string& name, THandler handler) { handlers_[name] = std::move(handler); }
    TValues Call(const std::string& name, TValues args);
    // Answers calls until the other end closes the connection.
    void Serve();
    void Close() { connection_.Close(); }

private:
    void Answer(const TMessage& call);

    TConnection connection_;
    std::map<std::string, THandler> handlers_;
};

// Reads the argument at the index; raises ERemoteError when the call brought fewer.
const OleVariant& Arg(const TValues& args, std::size_t index);

} // namespace tkv::remote
