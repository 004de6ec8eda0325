// The program folder: settings file and work files.  C:\VELKAR on Windows;
// elsewhere $XDG_DATA_HOME/VELKAR (default ~/.local/share/VELKAR).
#pragma once

#include <filesystem>
#include <string>

namespace velkar {

std::filesystem::path programFolder();
// Creates the folder when missing; false (and a reason) when it cannot.
[[nodiscard]] bool ensureFolder(const std::filesystem::path& folder, std::string& error);

// File names inside the program folder.
inline constexpr const char* kSettingsFileName = "VELKAR.INI";
inline constexpr const char* kResultWorkFileName = "VELKAR$$.KB$";
inline constexpr const char* kAdjustmentWorkFileName = "VELKAR1$.KB$";
inline constexpr const char* kCrossSectionWorkFileName = "VELGECICI.KB$";
inline constexpr const char* kUploadWorkFileName = "velgeci.txt";

// A path as Windows-1254 text, for messages.
std::string pathText(const std::filesystem::path& path);
// A Windows-1254 text (as a dialog or an option gave it) as a path.
std::filesystem::path textPath(const std::string& text);

}  // namespace velkar
