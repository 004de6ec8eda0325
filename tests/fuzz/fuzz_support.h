// What the fuzz targets share: a scratch folder for the files the routines
// read and write, and a conversion window driven without a user (every box
// goes to /dev/null, every file dialog is answered from a queue).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <string>
#include <string_view>

#include "conversion/window.h"
#include "platform/console/console_dialogs.h"
#include "platform/event_pump.h"
#include "platform/result_table.h"

namespace velkar::fuzz {

// A folder of this process, reused by every input and removed at the end.
std::filesystem::path scratch();
std::filesystem::path writeScratch(const std::string& name, std::string_view bytes);

// The input cut in two at the first "\0\0" (the second part may be empty).
std::pair<std::string_view, std::string_view> splitInput(std::string_view data);

struct Front {
    Front();
    std::FILE* sink;
    ConsoleDialogs dialogs;
    NullEventPump pump;
    ResultTable table;
    conversion::ConversionWindow w;
    std::deque<std::filesystem::path> opens;  // answers of the open dialogs, in order
    int saves = 0;
};

}  // namespace velkar::fuzz
