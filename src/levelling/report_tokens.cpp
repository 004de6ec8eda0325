#include "levelling/report_tokens.h"

namespace velkar::levelling {

std::vector<std::string> reportTokens(std::string_view row) {
    std::vector<std::string> tokens;
    std::string current;
    bool inToken = false;
    for (char c : row) {
        if (c == ' ' || c == ',' || c == '\t') {
            if (inToken) tokens.push_back(std::move(current));
            current.clear();
            inToken = false;
        } else {
            current.push_back(c);
            inToken = true;
        }
    }
    if (inToken) tokens.push_back(std::move(current));
    return tokens;
}

bool isIntermediateRow(const std::vector<std::string>& tokens) {
    return tokens.size() >= 8 && tokens[4] != "-------";
}

}  // namespace velkar::levelling
