#include "update/utils/kuFileTimes.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace tessaro {
namespace {

timespec ToTimespec(TDateTime value) {
    FILETIME fileTime;
    timespec time{0, UTIME_OMIT};
    if (value != -1 && DateTimeToFileTime(value, fileTime) && FileTimeToTimespec(fileTime, time))
        return time;
    return timespec{0, UTIME_OMIT};
}

}  // namespace

bool SetFileTimes(const std::string& fileName, TDateTime /*created*/, TDateTime modified,
                  TDateTime accessed) {
    const timespec times[2] = {ToTimespec(accessed), ToTimespec(modified)};
    return ::utimensat(AT_FDCWD, fileName.c_str(), times, 0) == 0;
}

std::int64_t ExtractFileSize(const std::string& fileName) {
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
    return static_cast<std::int64_t>(info.st_size);
}

}  // namespace tessaro
