#include "update/utils/kuAttachBoundary.h"

#include <unistd.h>

#include <QDateTime>
#include <QLocale>

#include <atomic>

#include "update/utils/kuBase64.h"

namespace tessaro {
namespace {

std::atomic<unsigned> boundaryCount{0};

// 19 Base64 groups: a 20th would end the line with CR LF.
constexpr std::size_t kMostStampBytes = 57;

// The unique parts come first, so cutting a long local date keeps them.
std::string StampText() {
    const QDateTime now = QDateTime::currentDateTime();
    std::string stamp = now.toString("hh:mm:ss.zzz").toStdString() + " " +
                        std::to_string(::getpid()) + "." + std::to_string(++boundaryCount) + " " +
                        QLocale::system().toString(now.date(), QLocale::ShortFormat).toStdString();
    if (stamp.size() > kMostStampBytes) stamp.resize(kMostStampBytes);
    return stamp;
}

}  // namespace

std::string GenerateAttachBoundary(char ch) {
    return "---HTTP-DATA-BOUNDARY-" + std::string(1, ch) + "-" + Base64Encode(StampText()) + "---";
}

}  // namespace tessaro
