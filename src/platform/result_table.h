// The result table of the conversion window: a grid of text cells, 8 columns
// shown, row 0 the header.  The data live here; a window shows them through a
// model that listens to the changes, so a table of a million rows stays fast.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velkar {

class ResultTableListener {
  public:
    virtual ~ResultTableListener() = default;
    virtual void tableReset() = 0;
    virtual void rowCountChanged(int oldCount, int newCount) = 0;
    virtual void cellChanged(int row, int column) = 0;
};

class ResultTable {
  public:
    static constexpr int kColumns = 8;

    void clear();  // no rows at all
    void setRowCount(int rows);
    int rowCount() const { return static_cast<int>(rows_.size()); }
    // Writing a cell beyond the last row adds rows up to it.
    void setCell(int row, int column, std::string_view text);
    std::string cell(int row, int column) const;
    void setListener(ResultTableListener* listener) { listener_ = listener; }

  private:
    // A row keeps its eight cells in one text, cell c ending at end[c]: a
    // table of a million rows then costs little more than its texts.
    struct Row {
        std::string text;
        std::array<std::uint32_t, kColumns> end{};
    };
    std::vector<Row> rows_;
    ResultTableListener* listener_ = nullptr;
};

}  // namespace velkar
