#include "update/renovator/kuSystemInstall.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string_view>

namespace tessaro {
namespace {

bool IsUnderUsr(std::string_view folder) {
    return folder == "/usr" || folder.starts_with("/usr/");
}

bool IsRootsAndNotWritable(const std::string& folder) {
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && info.st_uid == 0 &&
           ::access(folder.c_str(), W_OK) != 0;
}

}  // namespace

bool IsSystemInstall(const std::string& programFolder) {
    return IsUnderUsr(programFolder) || IsRootsAndNotWritable(programFolder);
}

}  // namespace tessaro
