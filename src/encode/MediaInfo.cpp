#include "encode/MediaInfo.h"

#include <dlfcn.h>

#include <cstdlib>
#include <mutex>
#include <stdexcept>

#include "encode/OpenablePath.h"

namespace tessaro {

namespace {

struct Binding {
    std::mutex mutex;
    void* library = nullptr;
    int loadCount = 0;
    MediaInfoEntryPoints entries;
};

Binding& TheBinding() {
    static Binding binding;
    return binding;
}

const char* LibraryFileName() {
    const char* named = std::getenv(kMediaInfoLibraryVariable);
    return named && *named ? named : kMediaInfoLibraryFile;
}

// Counts a missing symbol instead of stopping, so every name is tried.
template <typename Function>
void BindEntry(void* library, const char* name, Function& slot, int& missing) {
    void* symbol = dlsym(library, name);
    if (!symbol) {
        ++missing;
        return;
    }
    slot = reinterpret_cast<Function>(symbol);
}

int BindAll(void* library, MediaInfoEntryPoints& e) {
    int missing = 0;
    BindEntry(library, "MediaInfoA_New", e.New, missing);
    BindEntry(library, "MediaInfoListA_New", e.ListNew, missing);
    BindEntry(library, "MediaInfoA_Delete", e.Delete, missing);
    BindEntry(library, "MediaInfoListA_Delete", e.ListDelete, missing);
    BindEntry(library, "MediaInfoA_Open", e.Open, missing);
    BindEntry(library, "MediaInfoListA_Open", e.ListOpen, missing);
    BindEntry(library, "MediaInfoA_Open_Buffer_Init", e.OpenBufferInit, missing);
    BindEntry(library, "MediaInfoA_Open_Buffer_Continue", e.OpenBufferContinue, missing);
    BindEntry(library, "MediaInfoA_Open_Buffer_Continue_GoTo_Get", e.OpenBufferContinueGoToGet,
              missing);
    BindEntry(library, "MediaInfoA_Open_Buffer_Finalize", e.OpenBufferFinalize, missing);
    BindEntry(library, "MediaInfoA_Close", e.Close, missing);
    BindEntry(library, "MediaInfoListA_Close", e.ListClose, missing);
    BindEntry(library, "MediaInfoA_Inform", e.Inform, missing);
    BindEntry(library, "MediaInfoListA_Inform", e.ListInform, missing);
    BindEntry(library, "MediaInfoA_GetI", e.GetI, missing);
    BindEntry(library, "MediaInfoListA_GetI", e.ListGetI, missing);
    BindEntry(library, "MediaInfoA_Get", e.Get, missing);
    BindEntry(library, "MediaInfoListA_Get", e.ListGet, missing);
    BindEntry(library, "MediaInfoA_Option", e.Option, missing);
    BindEntry(library, "MediaInfoListA_Option", e.ListOption, missing);
    BindEntry(library, "MediaInfoA_State_Get", e.StateGet, missing);
    BindEntry(library, "MediaInfoListA_State_Get", e.ListStateGet, missing);
    BindEntry(library, "MediaInfoA_Count_Get", e.CountGet, missing);
    BindEntry(library, "MediaInfoListA_Count_Get", e.ListCountGet, missing);
    BindEntry(library, "MediaInfoListA_Count_Get_Files", e.ListCountGetFiles, missing);
    return missing;
}

// Caller holds the binding's mutex.
int LoadLocked(Binding& binding) {
    if (binding.loadCount > 0) {
        ++binding.loadCount;
        return 1;
    }
    void* library = dlopen(LibraryFileName(), RTLD_LAZY | RTLD_LOCAL);
    if (!library) return -1;
    MediaInfoEntryPoints entries;
    if (BindAll(library, entries) != 0) {
        dlclose(library);
        return -1;
    }
    binding.library = library;
    binding.entries = entries;
    binding.loadCount = 1;
    return 1;
}

// The handle's way in: loads only when nothing is loaded, so handles never
// raise the count beyond the first load.
const MediaInfoEntryPoints* EnsureLoaded() {
    Binding& binding = TheBinding();
    std::lock_guard lock(binding.mutex);
    if (binding.loadCount == 0 && LoadLocked(binding) != 1) return nullptr;
    return &binding.entries;
}

std::string CopyText(const char* text) {
    return text ? std::string(text) : std::string();
}

}  // namespace

int LoadMediaInfoLibrary() {
    Binding& binding = TheBinding();
    std::lock_guard lock(binding.mutex);
    return LoadLocked(binding);
}

void UnloadMediaInfoLibrary() {
    Binding& binding = TheBinding();
    std::lock_guard lock(binding.mutex);
    if (binding.loadCount == 0) return;
    if (--binding.loadCount > 0) return;
    dlclose(binding.library);
    binding.library = nullptr;
    binding.entries = {};
}

bool IsMediaInfoLibraryLoaded() {
    return MediaInfoLoadCount() > 0;
}

int MediaInfoLoadCount() {
    Binding& binding = TheBinding();
    std::lock_guard lock(binding.mutex);
    return binding.loadCount;
}

const MediaInfoEntryPoints* MediaInfoEntries() {
    Binding& binding = TheBinding();
    std::lock_guard lock(binding.mutex);
    return binding.loadCount > 0 ? &binding.entries : nullptr;
}

MediaInfo::MediaInfo() : entries_(EnsureLoaded()) {
    if (entries_) handle_ = entries_->New();
}

MediaInfo::~MediaInfo() {
    if (handle_) entries_->Delete(handle_);
}

size_t MediaInfo::Open(const std::string& path) {
    if (path.find('\0') != std::string::npos) throw std::invalid_argument("path holds a NUL byte");
    if (!handle_) return 0;
    const OpenablePath openable(path);
    return entries_->Open(handle_, openable.Path().c_str());
}

void MediaInfo::Close() {
    if (handle_) entries_->Close(handle_);
}

// The library reuses its answer buffer on the next call: copy at once.
std::string MediaInfo::Get(StreamKind stream, size_t streamNumber, const std::string& parameter,
                           InfoKind info, InfoKind search) {
    if (!handle_) return kUnableToLoadMediaInfo;
    return CopyText(entries_->Get(handle_, static_cast<int>(stream), streamNumber,
                                  parameter.c_str(), static_cast<int>(info),
                                  static_cast<int>(search)));
}

std::string MediaInfo::Inform() {
    if (!handle_) return kUnableToLoadMediaInfo;
    return CopyText(entries_->Inform(handle_, 0));
}

std::string MediaInfo::Option(const std::string& option, const std::string& value) {
    if (!handle_) return kUnableToLoadMediaInfo;
    return CopyText(entries_->Option(handle_, option.c_str(), value.c_str()));
}

}  // namespace tessaro
