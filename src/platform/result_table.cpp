#include "platform/result_table.h"

namespace velkar {

void ResultTable::clear() {
    rows_.clear();
    rows_.shrink_to_fit();
    if (listener_) listener_->tableReset();
}

void ResultTable::setRowCount(int rows) {
    if (rows < 0) rows = 0;
    const int old = rowCount();
    if (old == rows) return;
    rows_.resize(static_cast<size_t>(rows));
    if (listener_) listener_->rowCountChanged(old, rows);
}

void ResultTable::setCell(int row, int column, std::string_view text) {
    if (row < 0 || column < 0 || column >= kColumns) return;
    if (row >= rowCount()) setRowCount(row + 1);
    Row& r = rows_[static_cast<size_t>(row)];
    const auto c = static_cast<size_t>(column);
    const std::uint32_t begin = c == 0 ? 0 : r.end[c - 1];
    const std::uint32_t oldLength = r.end[c] - begin;
    r.text.replace(begin, oldLength, text);
    const auto grow = static_cast<std::int64_t>(text.size()) - static_cast<std::int64_t>(oldLength);
    for (size_t k = c; k < kColumns; ++k) {
        r.end[k] = static_cast<std::uint32_t>(static_cast<std::int64_t>(r.end[k]) + grow);
    }
    if (listener_) listener_->cellChanged(row, column);
}

std::string ResultTable::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumns) return {};
    const Row& r = rows_[static_cast<size_t>(row)];
    const auto c = static_cast<size_t>(column);
    const std::uint32_t begin = c == 0 ? 0 : r.end[c - 1];
    return r.text.substr(begin, r.end[c] - begin);
}

}  // namespace velkar
