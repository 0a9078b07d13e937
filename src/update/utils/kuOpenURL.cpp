#include "update/utils/kuOpenURL.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

#include <string>

#include "update/utils/kuDesktopApplications.h"
#include "update/utils/kuMimeType.h"

namespace tessaro {
namespace {

bool StartRegisteredBrowser(const std::string& url) {
    const std::vector<std::string> command = DefaultApplicationCommand(GetMIMEType(".html"), url);
    if (command.empty()) return false;
    QStringList arguments;
    for (std::size_t i = 1; i < command.size(); ++i)
        arguments << QString::fromStdString(command[i]);
    return QProcess::startDetached(QString::fromStdString(command.front()), arguments);
}

}  // namespace

bool OpenURL(std::string_view url, bool useRegisteredBrowser) {
    const std::string full =
        url.find("://") == std::string_view::npos ? "http://" + std::string(url) : std::string(url);
    if (useRegisteredBrowser && StartRegisteredBrowser(full)) return true;
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(full)));
}

}  // namespace tessaro
