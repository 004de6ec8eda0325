// The main window's field splitter (SATIR_AYIR): the upload transfers, the
// spreadsheet export and the GTS-720 upload file read their input lines with it.
//
// A line is cut at commas, blanks and TABs; a run of separators ends one field
// only ("A,,B" and "A, B" both give A and B).  Leading blanks are dropped first
// (a leading TAB or comma stays and gives an empty field 0); a trailing
// separator gives an empty last field.  The field table has room for 21 fields
// (0 to 20) and starts empty for every line: fields past the 21st are dropped.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velkar {

inline constexpr std::size_t kMainWindowFieldCount = 21;

// The fields of one line, at most 21 (an empty line gives one empty field);
// found, when given, counts all the fields of the line.
std::vector<std::string> mainWindowSplit(std::string_view line, std::size_t* found = nullptr);

// Field i of a split line, or an empty text when the line had fewer fields.
const std::string& fieldOrEmpty(const std::vector<std::string>& fields, std::size_t i);

}  // namespace velkar
