#include "platform/result_table.h"

#include <gtest/gtest.h>

namespace velkar {
namespace {

struct Recorder : ResultTableListener {
    std::vector<std::string> events;
    void tableReset() override { events.push_back("reset"); }
    void rowCountChanged(int o, int n) override {
        events.push_back("rows " + std::to_string(o) + "->" + std::to_string(n));
    }
    void cellChanged(int r, int c) override {
        events.push_back("cell " + std::to_string(r) + "," + std::to_string(c));
    }
};

// A cell keeps its text whatever its neighbours do; the listener hears each change.
TEST(ResultTable, CellsRowsAndNotifications) {
    ResultTable t;
    Recorder rec;
    t.setListener(&rec);
    t.setCell(0, 3, "dört");
    t.setRowCount(2);
    t.setCell(0, 0, "bir");
    t.setCell(0, 7, "sekiz");
    t.setCell(0, 3, "4");        // shorter
    t.setCell(0, 0, "birinci");  // longer
    t.setCell(0, 5, std::string(70000, 'x'));
    t.setCell(0, 8, "ignored");  // the ninth value is never shown
    const std::vector<std::string> expected = {
        "birinci", "", "", "4", "", std::string(70000, 'x'), "", "sekiz"};
    for (int c = 0; c < ResultTable::kColumns; ++c)
        EXPECT_EQ(t.cell(0, c), expected[static_cast<size_t>(c)]) << c;
    EXPECT_EQ(t.cell(5, 0), "");  // outside: empty, no crash
    EXPECT_EQ(t.rowCount(), 2);
    t.clear();
    EXPECT_EQ(t.rowCount(), 0);
    EXPECT_EQ(std::vector<std::string>(rec.events.begin(), rec.events.begin() + 3),
              (std::vector<std::string>{"rows 0->1", "cell 0,3", "rows 1->2"}));
    EXPECT_EQ(rec.events.back(), "reset");
    t.setListener(nullptr);
}

}  // namespace
}  // namespace velkar
