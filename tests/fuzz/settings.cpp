// The settings file: whatever a VELKAR.INI holds, loading it, saving the
// values and loading them again gives the same values.
#include <cstdlib>

#include "fuzz_support.h"
#include "shell/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velkar;
    const auto file = fuzz::writeScratch(
        "VELKAR.INI", std::string_view(reinterpret_cast<const char*>(data), size));
    shell::SettingsValues first, again;
    std::string error;
    if (!shell::loadSettingsFile(file, first, error)) return 0;
    if (!shell::saveSettingsFile(file, first, error)) std::abort();
    if (!shell::loadSettingsFile(file, again, error)) std::abort();
    if (shell::settingsFileLines(first) != shell::settingsFileLines(again)) std::abort();
    return 0;
}
