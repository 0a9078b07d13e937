#include "update/helper/kuUpdateHelper.h"

#include <QBuffer>
#include <QtGlobal>

#include <exception>
#include <fstream>
#include <mutex>
#include <string_view>

#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "update/helper/RenovatorNames.h"
#include "update/utils/kuStreams.h"

// A resource compiled into a static library must be registered by name, and
// Q_INIT_RESOURCE may not stand inside a namespace.
static void RegisterHelperImage() {
    Q_INIT_RESOURCE(kuupg);
}

namespace tessaro {
namespace {

constexpr mode_t kHelperMode = 0700;

std::string InPrivateTempFolder(const char* name) {
    try {
        return platform::JoinPath(platform::TempFolder(), name);
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace

std::string UpdateHelperPath() {
    return InPrivateTempFolder(kRenovatorFileName);
}

std::string UpdateQueuePath() {
    return InPrivateTempFolder(kRenovatorQueueFileName);
}

std::string UpdateResultPath() {
    return InPrivateTempFolder(kRenovatorResultFileName);
}

std::vector<std::string> UpdateHelperFailures() {
    std::vector<std::string> failures;
    const std::string path = UpdateResultPath();
    if (path.empty()) return failures;
    std::ifstream result(path);
    const std::string_view failed = kResultFailed;
    for (std::string line; std::getline(result, line);)
        if (line.starts_with(failed)) failures.push_back(line.substr(failed.size()));
    return failures;
}

bool WriteUpdateHelper(const std::string& path) {
    static std::once_flag registered;
    std::call_once(registered, RegisterHelperImage);
    QBuffer image;
    image.open(QIODevice::WriteOnly);
    if (path.empty() || !LoadResourceToStream("KUUPG", "KUUPG", &image)) return false;
    const QByteArray& bytes = image.data();
    return platform::WriteFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
        kHelperMode, nullptr);
}

}  // namespace tessaro
