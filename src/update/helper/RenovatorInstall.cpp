#include "update/helper/RenovatorInstall.h"

#include <unistd.h>

#include <cstdio>

#include "update/helper/RenovatorFiles.h"
#include "update/helper/RenovatorNames.h"
#include "update/helper/RenovatorReport.h"

namespace tessaro {
namespace {

constexpr const char* kReplacedSuffix = ".uOLD";

struct Placed {
    std::string destination;
    bool replaced = false;
};

std::string Replaced(const std::string& destination) {
    return destination + kReplacedSuffix;
}

// A second name keeps the replaced file while the download is renamed over the first.
bool KeepReplaced(const std::string& destination) {
    const std::string kept = Replaced(destination);
    if (EntryExists(kept) && ::unlink(kept.c_str()) != 0) return false;
    return ::link(destination.c_str(), kept.c_str()) == 0;
}

// Newest first, so each name gets back exactly what it held.
void PutBack(const std::vector<Placed>& placed) {
    for (auto file = placed.rbegin(); file != placed.rend(); ++file) {
        if (file->replaced)
            std::rename(Replaced(file->destination).c_str(), file->destination.c_str());
        else
            ::unlink(file->destination.c_str());
    }
}

std::string FirstMissingDownload(const std::vector<std::string>& destinations) {
    for (const std::string& destination : destinations)
        if (!IsRegularFile(destination + kDownloadSuffix)) return destination;
    return {};
}

// The reason is taken before anything else can change errno.
std::string Undo(const std::vector<Placed>& placed, const std::string& what) {
    const std::string why = what + ErrnoReason();
    PutBack(placed);
    return why;
}

}  // namespace

std::string InstallAllDownloads(const std::vector<std::string>& destinations) {
    if (const std::string missing = FirstMissingDownload(destinations); !missing.empty())
        return "the download of " + missing + " is missing";
    std::vector<Placed> placed;
    for (const std::string& destination : destinations) {
        const bool replaced = EntryExists(destination);
        if (replaced && !KeepReplaced(destination))
            return Undo(placed, "cannot keep " + destination + " until the update is in place");
        if (!ReplaceWithDownload(destination + kDownloadSuffix, destination)) {
            const std::string why =
                Undo(placed, "cannot move the download of " + destination + " into place");
            // The destination still holds the replaced file.
            if (replaced) ::unlink(Replaced(destination).c_str());
            return why;
        }
        placed.push_back({destination, replaced});
    }
    for (const Placed& file : placed) {
        if (file.replaced) ::unlink(Replaced(file.destination).c_str());
        SetFileAttr(file.destination, {TkuFileAttribute::atrArchive});
    }
    return {};
}

}  // namespace tessaro
