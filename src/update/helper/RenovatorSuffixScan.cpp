#include "update/helper/RenovatorSuffixScan.h"

#include <string_view>

#include "update/helper/RenovatorFiles.h"
#include "update/helper/RenovatorNames.h"

namespace tessaro {
namespace {

bool HasDownloadSuffix(std::string_view name) {
    const std::string_view suffix = kDownloadSuffix;
    return name.size() > suffix.size() && name.substr(name.size() - suffix.size()) == suffix;
}

}  // namespace

std::string MoveSuffixedDownloads(const RenovatorCommand& command, bool ownDownloadFound) {
    const std::string_view suffix = kDownloadSuffix;
    std::string setupPath;
    for (const std::string& file : ListRegularFiles(command.programFolder)) {
        if (!HasDownloadSuffix(file)) continue;
        const std::string download = command.programFolder + file;
        const std::string name = file.substr(0, file.size() - suffix.size());
        // Every tool is a program file here: only a setup stands for another file.
        const bool isSetup = command.externalSetup && !ownDownloadFound && IsProgramFile(download);
        ownDownloadFound = ownDownloadFound || isSetup;
        const std::string target = command.programFolder + name;
        TkuFileAttributes marks = {TkuFileAttribute::atrArchive};
        if (isSetup) marks.Include(TkuFileAttribute::atrHidden);
        if (MoveIntoPlace(download, target, marks) && isSetup) setupPath = target;
    }
    return setupPath;
}

}  // namespace tessaro
