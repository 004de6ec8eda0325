// The intermediate elevation difference over the notebook's table.
#include "levelling/intermediate.h"

#include "levelling_fixture.h"

namespace velkar::levelling::test {
namespace {

struct Intermediate : LevellingFixture {
    std::optional<IntermediateDifference> compute(const std::string& start,
                                                  const std::string& end) {
        return araKotFarki(dialogs, table, settings.values.readings, start, end);
    }
};

TEST_F(Intermediate, StretchBetweenTwoPointsOfTheNotebook) {
    run("iLLER BANKASI", raw("book.raw"));
    dialogs.clearShown();
    // T1 -> T2: one station, B 1.3, F (1.1 + 1.1002) / 2
    auto r = compute(" T1 ", "T2");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->backsightLabel, cp1254("Geri Mira Toplamı....:  1.3"));
    EXPECT_EQ(r->foresightLabel, cp1254("ileri Mira Toplamı...:  1.1001"));
    EXPECT_EQ(r->differenceLabel, cp1254("Kot Farkı .......:  .1999"));
    // T1 -> B: B stands in the last foresight row, so the sums run to the end
    // of the table; the difference is H(B) - H(T1) = 100.4 - 100.7001.
    r = compute("T1", "B");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->backsightLabel, cp1254("Geri Mira Toplamı....:  2.2"));
    EXPECT_EQ(r->differenceLabel, cp1254("Kot Farkı .......: -.3001"));
    // A start point that is not in the table.
    r = compute("X9", "B");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->backsightLabel, cp1254("Geri Mira Toplamı....:  0"));
    EXPECT_EQ(r->differenceLabel, cp1254("Kot Farkı .......:  0"));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(Intermediate, SumsTheReadingsTheSelectionUses) {
    settings.values.readings = ReadingSelection::Second;
    run("iLLER BANKASI", raw("book.raw"));
    auto r = compute("T1", "T2");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->foresightLabel, cp1254("ileri Mira Toplamı...:  1.1002"));
    settings.values.readings = ReadingSelection::First;
    run("iLLER BANKASI", raw("book.raw"));
    r = compute("T1", "T2");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->foresightLabel, cp1254("ileri Mira Toplamı...:  1.1"));
}

TEST_F(Intermediate, EmptyBoxesAreAskedFor) {
    EXPECT_FALSE(compute("", "T2"));
    EXPECT_EQ(dialogs.messageLines().size(), 1u);  // the start point is asked for
    dialogs.clearShown();
    EXPECT_FALSE(compute("  ", ""));
    EXPECT_EQ(dialogs.messageLines().size(), 2u);  // both points
}

}  // namespace
}  // namespace velkar::levelling::test
