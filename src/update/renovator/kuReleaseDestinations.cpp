#include "update/renovator/kuReleaseDestinations.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>

#include "update/helper/kuUpdateHelper.h"
#include "update/utils/kuFolders.h"
#include "update/utils/kuURL.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

// The path with "." and ".." gone and every link of its existing part followed; the
// last name is kept as it is, since the helper renames over it rather than into it.
fs::path Resolved(const std::string& path) {
    const fs::path normal = fs::path(path).lexically_normal();
    std::error_code error;
    const fs::path folder = fs::weakly_canonical(normal.parent_path(), error);
    return error ? fs::path() : folder / normal.filename();
}

bool IsInside(const fs::path& path, const std::string& folder) {
    if (folder.empty()) return false;
    std::error_code error;
    const fs::path root = fs::weakly_canonical(folder, error);
    if (error) return false;
    const auto [end, inside] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
    // Folder paths end in an empty name; the path itself must go deeper.
    return (end == root.end() || end->empty()) && inside != path.end();
}

// Folders still missing are made by this user, so the nearest one there decides.
bool IsWritable(const std::string& path) {
    fs::path folder = Resolved(path).parent_path();
    std::error_code error;
    while (!folder.empty() && !fs::exists(folder, error) && folder != folder.root_path())
        folder = folder.parent_path();
    return !folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool IsSameFile(const fs::path& path, const std::string& other) {
    return !other.empty() && path == Resolved(other);
}

}  // namespace

std::string EntryDestination(const TkuStringList& files, int index) {
    const std::string value = files.GetValue(index);
    if (value.empty()) return ApplicationFolder() + URLToFileName(files.GetName(index));
    std::string destination = ExpandToRealPath(value, true);
    if (destination.find('/') == std::string::npos) destination = ApplicationFolder() + destination;
    return destination;
}

bool IsAllowedDestination(const std::string& path) {
    const fs::path resolved = Resolved(path);
    const std::string name = resolved.filename().string();
    if (name.empty() || name == "." || name == "..") return false;
    for (const std::string& trusted : {UpdateHelperPath(), UpdateQueuePath(), UpdateResultPath()})
        if (IsSameFile(resolved, trusted)) return false;
    const std::array<std::string, 3> roots = {ApplicationFolder(), GetTempDir(), GetWindowsDir()};
    return std::any_of(roots.begin(), roots.end(),
                       [&](const std::string& root) { return IsInside(resolved, root); });
}

int FirstEscapingEntry(const TkuStringList& files) {
    for (int i = 0; i < files.Count(); ++i)
        if (!IsAllowedDestination(EntryDestination(files, i))) return i;
    return -1;
}

int FirstUnwritableEntry(const TkuStringList& files) {
    for (int i = 0; i < files.Count(); ++i)
        if (!IsWritable(EntryDestination(files, i))) return i;
    return -1;
}

}  // namespace tessaro
