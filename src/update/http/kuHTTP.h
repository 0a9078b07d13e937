#pragma once

#include "update/http/kuCustomHTTP.h"

namespace tessaro {

// The transfer component with its settings published as properties.
class TkuHTTP final : public TkuCustomHTTP {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TkuHTTP)
    Q_PROPERTY(std::string AcceptTypes READ AcceptTypes WRITE SetAcceptTypes)
    Q_PROPERTY(std::string Agent READ Agent WRITE SetAgent)
    Q_PROPERTY(std::string URL READ URL WRITE SetURL)
    Q_PROPERTY(std::string OutputFileName READ OutputFileName WRITE SetOutputFileName)
    Q_PROPERTY(std::string POSTData READ POSTData WRITE SetPOSTData)
    Q_PROPERTY(std::string Referer READ Referer WRITE SetReferer)
    Q_PROPERTY(bool ShowGoOnlineMessage READ ShowGoOnlineMessage WRITE SetShowGoOnlineMessage)
    Q_PROPERTY(int TransferBufferSize READ TransferBufferSize WRITE SetTransferBufferSize)
    Q_PROPERTY(bool WaitThread READ WaitThread WRITE SetWaitThread)
    Q_PROPERTY(int WaitTimeout READ WaitTimeout WRITE SetWaitTimeout)
    Q_PROPERTY(bool WorkOffline READ WorkOffline WRITE SetWorkOffline)

public:
    using TkuCustomHTTP::TkuCustomHTTP;
};

// A preset for reads that must never come from a cache.
class TkuHTTPPragmaNoCache final : public TkuCustomHTTP {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TkuHTTPPragmaNoCache)

public:
    explicit TkuHTTPPragmaNoCache(QObject* owner = nullptr) : TkuCustomHTTP(owner) {
        SetCacheOptions({TkuCacheOption::coReloadIfNoExpireInformation,
                         TkuCacheOption::coReloadUpdatedObjects, TkuCacheOption::coPragmaNoCache});
    }
};

}  // namespace tessaro
