#pragma once

#include <string>

namespace tessaro {

inline constexpr char kProfileFileName[] = "Clipwarp_profiles.ini";
inline constexpr char kProfileSection[] = "Config";

// The options of the main window kept in the profile file, with their
// defaults; selectors are item indices (-1: no selection).
struct ProfileSettings {
    std::string outputFolder;              // "OutputFolder"            OutPath
    bool fileDetails = false;              // "FileDetails"             CheckBox2
    bool unsupportFormatEncoding = false;  // "UnsupportFormatEncoding" CheckBox4
    bool showEncodingConsole = false;      // "ShowEncodingConsole"     CheckBox5
    int videoBitrate = 0;                  // "VideoBitrate"            ComboBox2
    bool copyTo = false;                   // "CopyTo"                  CheckBox3
    int driveIndex = 0;                    // "DriveIndex"              ComboBox3
    int deviceSerial = 0;                  // "DeviceSerial"            ComboBox4
    // "LanguageValue" (ComboBox1); without a stored choice the profile loads
    // the messages locale's language.
    int languageValue = 1;
    // "DriveMountPoint": the volume behind driveIndex when it was saved, so that a
    // changed volume list never redirects copies to another volume.
    std::string driveMountPoint;
    // "JobsAtOnce" (ComboBox5): how many jobs of a list run side by side, 0 for
    // Auto; a profile without it, or with a negative or unreadable value, gives Auto.
    int jobsAtOnce = 0;
};

// profileFolder + "/Clipwarp_profiles.ini".
std::string ProfilePath(const std::string& profileFolder);

// Reads section "Config"; absent keys and integers that do not parse give the
// defaults. An empty output folder becomes the documents folder. A missing or
// unreadable file gives the defaults (and the documents folder).
ProfileSettings LoadProfile(const std::string& profileFolder);

// Writes the keys in their fixed order (Booleans as 1/0, indices in decimal),
// keeping everything else in the file. Creates the folder when missing. False
// with a reason when the file cannot be read back or written; an existing file
// is then left as it was. A value with a line break is not stored (reported).
bool SaveProfile(const std::string& profileFolder, const ProfileSettings& settings,
                 std::string* error = nullptr);

// The index a selector of `itemCount` items shows for a stored index: the
// index itself when the selector has it, otherwise -1 (no selection).
int FitSelectorIndex(int storedIndex, int itemCount);

}  // namespace tessaro
