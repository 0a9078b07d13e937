#include "update/http/kuSimpleHTTPLoader.h"

#include "update/http/kuHTTP.h"
#include "update/utils/kuStreams.h"

namespace tessaro {

TdySimpleHTTPLoader::TdySimpleHTTPLoader(const std::string& URL, std::int32_t timeout)
    : FHttp(std::make_unique<TkuHTTPPragmaNoCache>()) {
    FHttp->SetURL(URL);
    const auto limit = static_cast<std::uint32_t>(timeout);
    FHttp->Timeouts().ConnectTimeout = limit;
    FHttp->Timeouts().ReceiveTimeout = limit;
    FHttp->Timeouts().SendTimeout = limit;
    FHttp->SetWaitThread(true);
    FHttp->SetWaitTimeout(timeout);
    FHttp->OnDone = [this](QObject*, const std::string&, std::int32_t, QIODevice* Stream) {
        FResult = StreamToString(Stream);
    };
}

TdySimpleHTTPLoader::~TdySimpleHTTPLoader() = default;

std::string TdySimpleHTTPLoader::Read() {
    FResult.clear();
    FHttp->Read(false);
    return FResult;
}

std::string HTTPReadString(const std::string& URL, std::int32_t timeout) {
    if (URL.empty()) return {};
    TdySimpleHTTPLoader loader(URL, timeout);
    return loader.Read();
}

}  // namespace tessaro
