// Reading the rows of an elevation report back: a row is a run of tokens
// separated by blanks, commas or TABs (a run of separators counts as one).
// In a report row token 0 is the point, 1 the backsight distance, 2 the
// foresight distance, 3 the backsight reading, 4 the intermediate column,
// 5 the foresight reading and 7 the elevation.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velkar::levelling {

std::vector<std::string> reportTokens(std::string_view row);

// A row of an intermediate sight: its intermediate column holds a reading
// where a station row holds the placeholder "-------".
bool isIntermediateRow(const std::vector<std::string>& tokens);

inline const std::string& tokenAt(const std::vector<std::string>& tokens, size_t i) {
    static const std::string empty;
    return i < tokens.size() ? tokens[i] : empty;
}

}  // namespace velkar::levelling
