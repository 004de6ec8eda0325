// The intermediate elevation difference over the notebook's table.
#include "levelling/intermediate.h"

#include <map>
#include <sstream>

#include "levelling_fixture.h"
#include "platform/numbers.h"

namespace velkar::levelling::test {
namespace {

struct Intermediate : LevellingFixture {
    std::optional<IntermediateDifference> compute(const std::string& start,
                                                  const std::string& end) {
        return araKotFarki(dialogs, table, start, end);
    }

    // The points of an elevation report in line order with their elevations
    // (token 0 and token 7 of every row, as the adjustment reads them).
    static std::vector<std::pair<std::string, double>> elevations(const std::string& report) {
        std::vector<std::pair<std::string, double>> points;
        std::istringstream in(report);
        std::string row;
        for (int skip = 0; skip < 2 && std::getline(in, row);) ++skip;
        while (std::getline(in, row)) {
            std::istringstream tokens(row);
            std::vector<std::string> t;
            for (std::string s; tokens >> s;) t.push_back(s);
            if (t.size() > 7) points.emplace_back(t[0], leadingNumber(t[7]));
        }
        return points;
    }
};

// For every pair of points of a line, forwards and backwards, in every reading
// selection: the difference is the one of their elevations in the elevation
// report of the same raw file.
TEST_F(Intermediate, EveryPairOfPointsGivesTheDifferenceOfTheirElevations) {
    settings.values.startElevation = "100";
    for (const char* rawName : {"line1.raw", "book.raw"}) {
        for (ReadingSelection sel :
             {ReadingSelection::First, ReadingSelection::Second, ReadingSelection::Both}) {
            SCOPED_TRACE(std::string(rawName) + " selection " + std::to_string(int(sel)));
            settings.values.readings = sel;
            const auto points = elevations(report("KOT HESABI", rawName));
            ASSERT_EQ(points.size(), 4u);  // A, T1, T2, B
            run("iLLER BANKASI", raw(rawName));
            dialogs.clearShown();
            for (const auto& [from, fromElevation] : points) {
                for (const auto& [to, toElevation] : points) {
                    const auto r = compute(from, " " + to + " ");
                    ASSERT_TRUE(r);
                    EXPECT_NEAR(r->backsightTotal - r->foresightTotal, toElevation - fromElevation,
                                1e-5)
                        << from << " -> " << to;
                }
            }
        }
    }
    // A start point that is not in the table.
    const auto r = compute("X9", "B");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->backsightTotal, 0);
    EXPECT_EQ(r->foresightTotal, 0);
    EXPECT_TRUE(dialogs.messageLines().empty());
}

}  // namespace
}  // namespace velkar::levelling::test
