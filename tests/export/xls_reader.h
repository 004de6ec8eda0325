// The independent reader of the export tests: read_xls.py (xlrd with the cell
// formats) prints what it finds in a workbook; see that script for the form.
#pragma once

#include <filesystem>
#include <string>

namespace velkar::test {

// True when /usr/bin/python3 can import xlrd.
bool xlrdAvailable();
// The reader's listing of the workbook; with ends only the first and last row
// of each sheet.
std::string readWorkbook(const std::filesystem::path& file, bool ends = false);
// Runs a shell command; its exit status, and its standard output in out.
int runCommand(const std::string& command, std::string& out);
// A path quoted for the shell.
std::string shellQuoted(const std::filesystem::path& path);

}  // namespace velkar::test
