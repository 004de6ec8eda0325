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

void ResultTable::setCell(int row, int column, std::string text) {
    if (row < 0 || column < 0 || column >= kColumns) return;
    if (row >= rowCount()) setRowCount(row + 1);
    rows_[static_cast<size_t>(row)][static_cast<size_t>(column)] = std::move(text);
    if (listener_) listener_->cellChanged(row, column);
}

const std::string& ResultTable::cell(int row, int column) const {
    static const std::string empty;
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumns) return empty;
    return rows_[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

}  // namespace velkar
