#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "update/utils/kuDateTime.h"

class QIODevice;
class QBuffer;
class QObject;

namespace tessaro {

enum class TkuHTTPRequestMethod { rmAutoDetect, rmGET, rmPOST };

enum class TkuHTTPAccessType { atPreconfig, atDirect, atUseProxy };

enum class TkuCacheOption {
    coAlwaysReload,
    coReloadIfNoExpireInformation,
    coReloadUpdatedObjects,
    coPragmaNoCache,
    coNoCacheWrite,
    coCreateTempFilesIfCantCache,
    coUseCacheIfNetFail
};

enum class TkuInternetOption {
    ioIgnoreCertificateInvalid,
    ioIgnoreCertificateDateInvalid,
    ioIgnoreUnknownCertificateAuthority,
    ioIgnoreRedirectToHTTP,
    ioIgnoreRedirectToHTTPS,
    ioKeepConnection,
    ioNoAuthentication,
    ioNoAutoRedirect,
    ioNoCookies
};

// A set of enumeration values; bit i stands for the value i.
template <typename Enum, typename Bits>
class TkuSet {
public:
    constexpr TkuSet() = default;
    constexpr TkuSet(std::initializer_list<Enum> values) {
        for (Enum value : values) Include(value);
    }
    constexpr bool Contains(Enum value) const { return bits_ & Bit(value); }
    constexpr void Include(Enum value) { bits_ = static_cast<Bits>(bits_ | Bit(value)); }
    constexpr void Exclude(Enum value) { bits_ = static_cast<Bits>(bits_ & ~Bit(value)); }
    constexpr Bits ToBits() const { return bits_; }
    constexpr bool operator==(const TkuSet&) const = default;

private:
    static constexpr Bits Bit(Enum value) {
        return static_cast<Bits>(1u << static_cast<unsigned>(value));
    }
    Bits bits_ = 0;
};

using TkuCacheOptions = TkuSet<TkuCacheOption, std::uint8_t>;
using TkuInternetOptions = TkuSet<TkuInternetOption, std::uint16_t>;

inline constexpr std::int32_t kuMinBufferSize = 255;

// The events of the transfer component; Sender is the component.
using TkuHTTPBeforeSendRequest = std::function<void(QObject* Sender, void* hRequest)>;
using TkuHTTPHeaderInfoEvent =
    std::function<void(QObject* Sender, std::int32_t ErrorCode, const std::string& RawHeadersCRLF,
                       const std::string& ContentType, const std::string& ContentLanguage,
                       const std::string& ContentEncoding, std::int32_t ContentLength,
                       const std::string& Location, TDateTime Date, TDateTime LastModified,
                       TDateTime Expires, const std::string& ETag, bool& ContinueDownload)>;
using TkuHTTPProgressEvent = std::function<void(
    QObject* Sender, const std::string& ContentType, std::int32_t DataSize, std::int32_t BytesRead,
    std::int32_t ElapsedTime, std::int32_t EstimatedTimeLeft, std::uint8_t PercentsDone,
    float TransferRate, QIODevice* Stream)>;
using TkuHTTPUploadProgressEvent = std::function<void(
    QObject* Sender, std::int32_t DataSize, std::int32_t BytesTransferred, std::int32_t ElapsedTime,
    std::int32_t EstimatedTimeLeft, std::uint8_t PercentsDone, float TransferRate)>;
using TkuHTTPUploadFieldRequest =
    std::function<void(QObject* Sender, std::uint16_t FileIndex, QBuffer* UploadStream,
                       std::string& FieldName, std::string& FileName)>;
using TkuHTTPPasswordRequestEvent =
    std::function<void(QObject* Sender, const std::string& Realm, bool& TryAgain)>;
using TkuHTTPProxyAuthenticationEvent = std::function<void(
    QObject* Sender, std::string& ProxyUsername, std::string& ProxyPassword, bool& TryAgain)>;
using TkuHTTPStatusChanged =
    std::function<void(QObject* Sender, std::uint32_t StatusID, const std::string& StatusStr)>;
using TkuHTTPRedirected = std::function<void(QObject* Sender, const std::string& NewURL)>;
using TkuHTTPDoneEvent = std::function<void(QObject* Sender, const std::string& ContentType,
                                            std::int32_t FileSize, QIODevice* Stream)>;
using TkuHTTPConnLostEvent =
    std::function<void(QObject* Sender, const std::string& ContentType, std::int32_t FileSize,
                       std::int32_t BytesRead, QIODevice* Stream)>;
using TkuHTTPErrorEvent =
    std::function<void(QObject* Sender, std::int32_t ErrorCode, QIODevice* Stream)>;

}  // namespace tessaro
