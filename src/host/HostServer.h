// The reference host serving the Windows workbench: every call of the host's main interface that
// the workbench forwards is answered by the session's host object, the selector edits' record
// selections and lookups by the handlers its preparation installed, and the host's user interface
// (message boxes, questions, the record choice) is shown by the workbench.
#pragma once

#include "HostSession.h"
#include "remote/RemoteEnd.h"

#include <memory>

namespace tkv::host {

class THostServer {
public:
    explicit THostServer(remote::TConnection connection, const THostOptions& options);
    ~THostServer();

    THostSession& Session() { return *session_; }
    // Answers the workbench until it closes the connection.
    void Serve();

private:
    class TRemoteUi;
    class TControlStandIn;
    void RegisterMainintf();
    void RegisterHandlers();

    remote::TRemoteEnd end_;
    std::unique_ptr<TRemoteUi> ui_;
    std::unique_ptr<THostSession> session_;
    std::map<std::int32_t, ComPtr<IRecordSelectHandler>> selectHandlers_;
    std::map<std::int32_t, ComPtr<IBasicDataLookup>> lookups_;
    std::int32_t nextHandler_ = 1;
};

} // namespace tkv::host
