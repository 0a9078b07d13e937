#include "update/helper/RenovatorQueue.h"

#include <fstream>
#include <iterator>

#include "update/helper/RenovatorFiles.h"
#include "update/helper/RenovatorNames.h"

namespace tessaro {

std::vector<std::string> QueueLines(std::string_view queueText) {
    std::vector<std::string> lines;
    while (!queueText.empty()) {
        const std::size_t end = queueText.find("\r\n");
        const std::string_view line = queueText.substr(0, end);
        if (!line.empty()) lines.emplace_back(line);
        queueText.remove_prefix(end == std::string_view::npos ? queueText.size() : end + 2);
    }
    return lines;
}

std::string ReadQueueFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void MoveQueuedDownloads(const std::vector<std::string>& destinations) {
    for (const std::string& destination : destinations) {
        const std::string download = destination + kDownloadSuffix;
        if (EntryExists(download))
            MoveIntoPlace(download, destination, {TkuFileAttribute::atrArchive});
    }
}

}  // namespace tessaro
