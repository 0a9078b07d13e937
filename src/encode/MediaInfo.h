#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tessaro {

// The media library's C interface, bound at run time through its ANSI (8-bit
// text) entry points. Texts cross it in the character locale's code set, so
// the program runs with a UTF-8 LC_CTYPE (platform/Locale.h).

// Library file opened when TESSARO_MEDIAINFO_LIBRARY names no other file.
inline constexpr const char* kMediaInfoLibraryFile = "libmediainfo.so.0";
inline constexpr const char* kMediaInfoLibraryVariable = "TESSARO_MEDIAINFO_LIBRARY";
// What every value request answers when the library cannot be loaded.
inline constexpr const char* kUnableToLoadMediaInfo = "Unable to load MediaInfo.dll";

enum class StreamKind : int {
    general = 0,
    video = 1,
    audio = 2,
    text = 3,
    other = 4,
    image = 5,
    menu = 6
};
enum class InfoKind : int { name = 0, text = 1, measure = 2, options = 3 };

// Entry points in the order the library's loader resolves them. The list
// functions are bound only so that an incomplete library is refused as a whole.
struct MediaInfoEntryPoints {
    void* (*New)() = nullptr;
    void* (*ListNew)() = nullptr;
    void (*Delete)(void* handle) = nullptr;
    void (*ListDelete)(void* handle) = nullptr;
    size_t (*Open)(void* handle, const char* path) = nullptr;
    size_t (*ListOpen)(void* handle, const char* path, int options) = nullptr;
    size_t (*OpenBufferInit)(void* handle, uint64_t fileSize, uint64_t fileOffset) = nullptr;
    size_t (*OpenBufferContinue)(void* handle, uint8_t* buffer, size_t size) = nullptr;
    uint64_t (*OpenBufferContinueGoToGet)(void* handle) = nullptr;
    size_t (*OpenBufferFinalize)(void* handle) = nullptr;
    void (*Close)(void* handle) = nullptr;
    void (*ListClose)(void* handle, size_t filePos) = nullptr;
    const char* (*Inform)(void* handle, size_t reserved) = nullptr;
    const char* (*ListInform)(void* handle, size_t filePos, size_t reserved) = nullptr;
    const char* (*GetI)(void* handle, int streamKind, size_t streamNumber, size_t parameter,
                        int infoKind) = nullptr;
    const char* (*ListGetI)(void* handle, size_t filePos, int streamKind, size_t streamNumber,
                            size_t parameter, int infoKind) = nullptr;
    const char* (*Get)(void* handle, int streamKind, size_t streamNumber, const char* parameter,
                       int infoKind, int searchKind) = nullptr;
    const char* (*ListGet)(void* handle, size_t filePos, int streamKind, size_t streamNumber,
                           const char* parameter, int infoKind, int searchKind) = nullptr;
    const char* (*Option)(void* handle, const char* option, const char* value) = nullptr;
    const char* (*ListOption)(void* handle, const char* option, const char* value) = nullptr;
    size_t (*StateGet)(void* handle) = nullptr;
    size_t (*ListStateGet)(void* handle) = nullptr;
    size_t (*CountGet)(void* handle, int streamKind, size_t streamNumber) = nullptr;
    size_t (*ListCountGet)(void* handle, size_t filePos, int streamKind,
                           size_t streamNumber) = nullptr;
    size_t (*ListCountGetFiles)(void* handle) = nullptr;
};
inline constexpr int kMediaInfoEntryPointCount = 25;

// Process-wide binding; all four are safe to call from any thread.
// Loads the library or, when it is loaded already, only counts up. Returns 1 on
// success, -1 when the file cannot be opened or lacks any entry point (such a
// load does not count).
int LoadMediaInfoLibrary();
// Counts down; frees the library when the count reaches zero.
void UnloadMediaInfoLibrary();
bool IsMediaInfoLibraryLoaded();
int MediaInfoLoadCount();
// The bound entry points, or null while the library is not loaded. Valid
// until the last unload.
const MediaInfoEntryPoints* MediaInfoEntries();

// One library handle: created with the object (loading the library first if
// needed), deleted with it. Without the library the handle is null and every
// text request answers kUnableToLoadMediaInfo.
class MediaInfo final {
public:
    MediaInfo();
    ~MediaInfo();
    MediaInfo(const MediaInfo&) = delete;
    MediaInfo& operator=(const MediaInfo&) = delete;

    bool IsReady() const { return handle_ != nullptr; }

    // Throws std::invalid_argument for a path holding a NUL byte, which the
    // library would silently cut short.
    size_t Open(const std::string& path);
    void Close();
    std::string Get(StreamKind stream, size_t streamNumber, const std::string& parameter,
                    InfoKind info = InfoKind::text, InfoKind search = InfoKind::name);
    std::string Inform();
    std::string Option(const std::string& option, const std::string& value = {});

private:
    const MediaInfoEntryPoints* entries_ = nullptr;
    void* handle_ = nullptr;
};

}  // namespace tessaro
