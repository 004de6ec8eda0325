// Telling the two total-station families apart by the look of their lines,
// so that a file read with the wrong instrument choice is noticed before it
// turns into rows of garbage.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace velkar::conversion {

// How many non-empty lines from the top of a file the check looks at.
inline constexpr int kFamilyCheckLines = 20;
// How much of each of those lines it looks at.
inline constexpr size_t kFamilyCheckWidth = 256;

// lines: the first non-empty lines of a file (at most kFamilyCheckLines);
// family: the chosen instrument's family ("200" or "700").  True when most of
// them have the shape of the other family and not of the chosen one:
//  - GTS-600/700 lines begin with one of its keywords (GTS-7, JOB, UNITS, STN,
//    BKB, BS, SS, FS, HV, SD, HD, XYZ, ...) or are records of separated
//    fields without any "_";
//  - GTS-210/220 lines are a station marker "_'" or a point name, "_" and a
//    record character, with no comma unless the record is a "*" record.
// A line of the chosen family's shape never counts against it, so a file of
// the chosen family never looks like the other one.
bool looksLikeOtherFamily(const std::vector<std::string>& lines, const std::string& family);

}  // namespace velkar::conversion
