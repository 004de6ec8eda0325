#include "platform/result_table.h"

#include <gtest/gtest.h>

namespace velkar {
namespace {

struct Recorder : ResultTableListener {
    std::string events;
    void tableReset() override { events += "reset;"; }
    void rowCountChanged(int o, int n) override {
        events += std::to_string(o) + "->" + std::to_string(n) + ";";
    }
    void cellChanged(int r, int c) override {
        events += std::to_string(r) + "," + std::to_string(c) + ";";
    }
};

// A cell keeps its text whatever its neighbours do; the listener hears each change.
TEST(ResultTable, CellsRowsAndNotifications) {
    ResultTable t;
    Recorder rec;
    t.setListener(&rec);
    t.setCell(0, 3, "dört");
    t.setRowCount(2);
    for (const auto& [c, text] :
         std::initializer_list<std::pair<int, std::string>>{{0, "bir"},
                                                            {7, "sekiz"},
                                                            {3, "4"},
                                                            {0, "birinci"},
                                                            {5, std::string(70000, 'x')},
                                                            {8, "ignored"}})
        t.setCell(0, c, text);  // shorter and longer texts; the ninth value is never shown
    const std::vector<std::string> expected = {
        "birinci", "", "", "4", "", std::string(70000, 'x'), "", "sekiz"};
    for (int c = 0; c < ResultTable::kColumns; ++c)
        EXPECT_EQ(t.cell(0, c), expected[static_cast<size_t>(c)]) << c;
    EXPECT_EQ(t.cell(5, 0), "");  // outside: empty, no crash
    EXPECT_EQ(t.rowCount(), 2);
    t.clear();
    EXPECT_EQ(t.rowCount(), 0);
    EXPECT_EQ(rec.events.substr(0, 14), "0->1;0,3;1->2;");
    EXPECT_EQ(rec.events.substr(rec.events.size() - 6), "reset;");
    t.setListener(nullptr);
}

}  // namespace
}  // namespace velkar
