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

TEST(ResultTable, CellsRowsAndNotifications) {
    ResultTable t;
    Recorder rec;
    t.setListener(&rec);
    t.setCell(0, 0, "Nokta");
    t.setRowCount(2);
    EXPECT_EQ(t.rowCount(), 2);
    EXPECT_EQ(t.cell(0, 0), "Nokta");
    EXPECT_EQ(t.cell(1, 7), "");
    EXPECT_EQ(t.cell(5, 0), "");  // outside: empty, no crash
    t.setCell(0, 8, "ignored");   // the ninth value is never shown
    EXPECT_EQ(t.rowCount(), 2);
    t.clear();
    EXPECT_EQ(t.rowCount(), 0);
    EXPECT_EQ(rec.events,
              (std::vector<std::string>{"rows 0->1", "cell 0,0", "rows 1->2", "reset"}));
    t.setListener(nullptr);
}

TEST(ResultTable, CellsKeepTheirTextsWhenNeighboursChange) {
    ResultTable t;
    t.setCell(0, 3, "dört");
    t.setCell(0, 0, "bir");
    t.setCell(0, 7, "sekiz");
    t.setCell(0, 3, "4");        // shorter
    t.setCell(0, 0, "birinci");  // longer
    t.setCell(0, 5, std::string(70000, 'x'));
    const std::vector<std::string> expected = {
        "birinci", "", "", "4", "", std::string(70000, 'x'), "", "sekiz"};
    for (int c = 0; c < ResultTable::kColumns; ++c)
        EXPECT_EQ(t.cell(0, c), expected[static_cast<size_t>(c)]) << c;
    t.setCell(0, 5, "");
    EXPECT_EQ(t.cell(0, 5), "");
    EXPECT_EQ(t.cell(0, 7), "sekiz");
}

}  // namespace
}  // namespace velkar
