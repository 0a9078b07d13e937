#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tessaro {

enum class LocalisableKind {
    page,
    button,
    checkBox,
    label,
    menuItem,
    groupBox,
    jobList,
    contextMenu,
    statusBar
};

struct LocalisableName {
    std::string_view name;  // the control's object name, also the language file's key
    LocalisableKind kind = LocalisableKind::label;
    std::string_view englishCaption;  // empty for the job list, context menu and status bar
};

// The controls whose captions a language file may replace, matched exactly
// (case-sensitively) against object names. Controls not listed keep English.
inline constexpr std::array<LocalisableName, 38> kLocalisableNames{{
    {"TabSheet1", LocalisableKind::page, "Files"},
    {"TabSheet2", LocalisableKind::page, "Options"},
    {"Button1", LocalisableKind::button, "Encode"},
    {"Button2", LocalisableKind::button, "Stop"},
    {"Button3", LocalisableKind::button, "Add Files..."},
    {"Button4", LocalisableKind::button, "Delete"},
    {"Button5", LocalisableKind::button, "Clear List"},
    {"Button6", LocalisableKind::button, "Exit"},
    {"UpdateButton", LocalisableKind::button, "&Run update check now..."},
    {"CheckBox1", LocalisableKind::checkBox, "Shutdown after encoding"},
    {"CheckBox2", LocalisableKind::checkBox, "Show File Details"},
    {"CheckBox3", LocalisableKind::checkBox, "Copy to after encoding: "},
    {"CheckBox4", LocalisableKind::checkBox, "Encoding unsupport file only"},
    {"CheckBox5", LocalisableKind::checkBox, "Show encoding console"},
    {"Label1", LocalisableKind::label, "Output Folder:"},
    {"Label2", LocalisableKind::label, "Language:"},
    {"Label4", LocalisableKind::label, "Device Serial: "},
    {"Label5", LocalisableKind::label, "Video Bitrate (kbps):"},
    {"Label6", LocalisableKind::label, "Save Config:"},
    {"Label7", LocalisableKind::label, "Jobs at once:"},
    {"Item0", LocalisableKind::menuItem, "Open(&O). . ."},
    {"Item1", LocalisableKind::menuItem, "Sort (&S)"},
    {"Item2", LocalisableKind::menuItem, "Delete(&D)"},
    {"Item3", LocalisableKind::menuItem, "Clear List(&L)"},
    {"Item4", LocalisableKind::menuItem, "Encode One(&E). . ."},
    {"Item5", LocalisableKind::menuItem, "Encode All (&A). . ."},
    {"Item6", LocalisableKind::menuItem, "Encode By(B)"},
    {"Item10", LocalisableKind::menuItem, "Name(&N)"},
    {"Item11", LocalisableKind::menuItem, "Codec(&C)"},
    {"Item12", LocalisableKind::menuItem, "Width(&W)"},
    {"Item13", LocalisableKind::menuItem, "Height(&H)"},
    {"Item14", LocalisableKind::menuItem, "Video Format(&V)"},
    {"Item15", LocalisableKind::menuItem, "Audio Format(&A)"},
    {"Item16", LocalisableKind::menuItem, "Support(&S)"},
    {"GroupBox1", LocalisableKind::groupBox, "Properties"},
    {"ListView1", LocalisableKind::jobList, ""},
    {"PopupMenu1", LocalisableKind::contextMenu, ""},
    {"StatusBar1", LocalisableKind::statusBar, ""},
}};

// The job list's column captions in English, "Columns0" to "Columns6".
inline constexpr std::array<std::string_view, 7> kJobListColumnCaptions{
    "File Name", "Video Format", "Codec", "Width", "Height", "Audio Format", "Support"};

std::optional<LocalisableName> FindLocalisableName(std::string_view objectName);

}  // namespace tessaro
