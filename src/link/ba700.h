// Pieces of the GTS-600/700 upload that the tests reach.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velkar::link {

// The items of one line of a comma-separated list: an item ends at a comma
// or the line end, leading blanks are skipped and blanks after it kept; a
// quoted item is the text between the quotes (what follows the closing quote
// up to the next comma is dropped).  An empty line is one empty item.
std::vector<std::string> listItems(std::string_view line);

// The check of a whole upload file before the port is touched: every line that
// is not empty must hold comma-separated items, as many as the first such
// line.  Empty when every line can go; otherwise "N. satır gönderilemez:
// REASON" for the first line that cannot.
std::string uploadRefusal(const std::vector<std::string>& lines);

}  // namespace velkar::link
