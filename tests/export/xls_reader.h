// The independent reader of the export tests: read_xls.py (xlrd with the cell
// formats) prints what it finds in a workbook; see that script for the form.
#pragma once

#include <filesystem>
#include <string>

#include "run_process.h"

namespace velkar::test {

inline bool xlrdAvailable() {
    static const bool available =
        runProcess("/usr/bin/python3", {"-c", "import xlrd"}).exitCode == 0;
    return available;
}

// The reader's listing of the workbook; with ends only the first and last row
// of each sheet.
inline std::string readWorkbook(const std::filesystem::path& file, bool ends = false) {
    std::vector<std::string> args{VELKAR_XLS_READER, file.string()};
    if (ends) args.push_back("--ends");
    const ProcessResult r = runProcess("/usr/bin/python3", args);
    if (r.exitCode != 0) return "reader failed (" + std::to_string(r.exitCode) + "): " + r.err;
    return r.out + r.err;
}

}  // namespace velkar::test

#define REQUIRE_XLRD() \
    if (!velkar::test::xlrdAvailable()) GTEST_SKIP() << "python3-xlrd is not installed"
