// What the drawing commands (dxf, plot, level --profile) share.
#pragma once

#include <QString>
#include <filesystem>

#include "cli/cli.h"

namespace velkar::cli {

// The input a regular file, the output never the input, an existing output
// writable; otherwise a message and the exit code (kExitOk when all is well).
int checkInputOutput(const char* command, const std::filesystem::path& in,
                     const std::filesystem::path& out, Context& ctx);

// Today as the title block writes it (dd.MM.yyyy).
QString drawingDate();

}  // namespace velkar::cli
