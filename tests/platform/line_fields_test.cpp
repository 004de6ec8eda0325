#include "platform/line_fields.h"

#include <gtest/gtest.h>

namespace velkar {
namespace {

using Fields = std::vector<std::string>;

TEST(MainWindowSplit, RunsOfSeparatorsEndOneField) {
    EXPECT_EQ(mainWindowSplit("P1,100.5 200.25\t300"), (Fields{"P1", "100.5", "200.25", "300"}));
    EXPECT_EQ(mainWindowSplit("  A,,B,"), (Fields{"A", "B", ""}));
    EXPECT_EQ(mainWindowSplit("A, \t,B"), (Fields{"A", "B"}));
    EXPECT_EQ(mainWindowSplit(",A"), (Fields{"", "A"}));
    EXPECT_EQ(mainWindowSplit("\tA"), (Fields{"", "A"}));  // only blanks are dropped in front
    EXPECT_EQ(mainWindowSplit("A "), (Fields{"A", ""}));
    EXPECT_EQ(mainWindowSplit(""), (Fields{""}));
    EXPECT_EQ(mainWindowSplit("   "), (Fields{""}));
    EXPECT_EQ(mainWindowSplit("\xDE\xDD\xD0;x"),
              (Fields{"\xDE\xDD\xD0;x"}));  // bytes kept as they are
}

TEST(MainWindowSplit, KeepsTwentyOneFieldsOfALongerLine) {
    std::string line;
    for (int i = 1; i <= 30; ++i) line += "f" + std::to_string(i) + (i % 2 ? " " : ",,");
    const Fields fields = mainWindowSplit(line);
    ASSERT_EQ(fields.size(), kMainWindowFieldCount);
    EXPECT_EQ(fields.front(), "f1");
    EXPECT_EQ(fields.back(), "f21");
    EXPECT_EQ(fieldOrEmpty(fields, 21), "");
    EXPECT_EQ(fieldOrEmpty(mainWindowSplit("a b"), 8), "");
}

}  // namespace
}  // namespace velkar
