#include "settings/ProfileSettings.h"

#include <filesystem>

#include "platform/Paths.h"
#include "settings/LocaleLanguage.h"
#include "settings/ProfileFile.h"
#include "settings/ShellFolders.h"

namespace tessaro {
namespace {

constexpr char kOutputFolder[] = "OutputFolder";
constexpr char kFileDetails[] = "FileDetails";
constexpr char kUnsupportFormatEncoding[] = "UnsupportFormatEncoding";
constexpr char kShowEncodingConsole[] = "ShowEncodingConsole";
constexpr char kVideoBitrate[] = "VideoBitrate";
constexpr char kCopyTo[] = "CopyTo";
constexpr char kDriveIndex[] = "DriveIndex";
constexpr char kDeviceSerial[] = "DeviceSerial";
constexpr char kLanguageValue[] = "LanguageValue";
constexpr char kDriveMountPoint[] = "DriveMountPoint";
constexpr char kJobsAtOnce[] = "JobsAtOnce";

// A first start shows the desktop's language, not always the second one.
ProfileSettings Defaults() {
    ProfileSettings defaults;
    defaults.languageValue = LocaleLanguageIndex();
    return defaults;
}

ProfileSettings ReadSettings(const ProfileFile& file) {
    const ProfileSettings defaults = Defaults();
    ProfileSettings settings;
    settings.outputFolder = file.ReadString(kProfileSection, kOutputFolder, defaults.outputFolder);
    settings.fileDetails = file.ReadBool(kProfileSection, kFileDetails, defaults.fileDetails);
    settings.unsupportFormatEncoding =
        file.ReadBool(kProfileSection, kUnsupportFormatEncoding, defaults.unsupportFormatEncoding);
    settings.showEncodingConsole =
        file.ReadBool(kProfileSection, kShowEncodingConsole, defaults.showEncodingConsole);
    settings.videoBitrate = file.ReadInteger(kProfileSection, kVideoBitrate, defaults.videoBitrate);
    settings.copyTo = file.ReadBool(kProfileSection, kCopyTo, defaults.copyTo);
    settings.driveIndex = file.ReadInteger(kProfileSection, kDriveIndex, defaults.driveIndex);
    settings.deviceSerial = file.ReadInteger(kProfileSection, kDeviceSerial, defaults.deviceSerial);
    settings.languageValue =
        file.ReadInteger(kProfileSection, kLanguageValue, defaults.languageValue);
    settings.driveMountPoint =
        file.ReadString(kProfileSection, kDriveMountPoint, defaults.driveMountPoint);
    const int jobsAtOnce = file.ReadInteger(kProfileSection, kJobsAtOnce, defaults.jobsAtOnce);
    settings.jobsAtOnce = jobsAtOnce < 0 ? defaults.jobsAtOnce : jobsAtOnce;
    return settings;
}

// The path values go in first: a refused one leaves the file's old value.
bool WriteSettings(const ProfileSettings& settings, ProfileFile& file, std::string* error) {
    const bool folderStored =
        file.WriteString(kProfileSection, kOutputFolder, settings.outputFolder);
    file.WriteBool(kProfileSection, kFileDetails, settings.fileDetails);
    file.WriteBool(kProfileSection, kUnsupportFormatEncoding, settings.unsupportFormatEncoding);
    file.WriteBool(kProfileSection, kShowEncodingConsole, settings.showEncodingConsole);
    file.WriteInteger(kProfileSection, kVideoBitrate, settings.videoBitrate);
    file.WriteBool(kProfileSection, kCopyTo, settings.copyTo);
    file.WriteInteger(kProfileSection, kDriveIndex, settings.driveIndex);
    file.WriteInteger(kProfileSection, kDeviceSerial, settings.deviceSerial);
    file.WriteInteger(kProfileSection, kLanguageValue, settings.languageValue);
    const bool mountStored =
        file.WriteString(kProfileSection, kDriveMountPoint, settings.driveMountPoint);
    file.WriteInteger(kProfileSection, kJobsAtOnce, settings.jobsAtOnce);
    if (folderStored && mountStored) return true;
    if (error) *error = "A folder name with a line break cannot be kept in the profile";
    return false;
}

}  // namespace

std::string ProfilePath(const std::string& profileFolder) {
    return platform::JoinPath(profileFolder, kProfileFileName);
}

ProfileSettings LoadProfile(const std::string& profileFolder) {
    std::optional<ProfileFile> file = ProfileFile::Load(ProfilePath(profileFolder));
    ProfileSettings settings = file ? ReadSettings(*file) : Defaults();
    if (settings.outputFolder.empty() &&
        !GetSpecialFolderPath(SpecialFolder::personal, settings.outputFolder))
        settings.outputFolder = "/";
    return settings;
}

bool SaveProfile(const std::string& profileFolder, const ProfileSettings& settings,
                 std::string* error) {
    std::error_code ignored;
    std::filesystem::create_directories(profileFolder, ignored);
    const std::string path = ProfilePath(profileFolder);
    std::optional<ProfileFile> file = ProfileFile::Load(path, error);
    if (!file) return false;
    std::string refusal;
    const bool complete = WriteSettings(settings, *file, &refusal);
    if (!file->Save(path, error)) return false;
    if (!complete && error) *error = refusal;
    return complete;
}

int FitSelectorIndex(int storedIndex, int itemCount) {
    return storedIndex >= 0 && storedIndex < itemCount ? storedIndex : -1;
}

}  // namespace tessaro
