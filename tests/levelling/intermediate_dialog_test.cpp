// The "Ara Kot Farkı Hesabı" dialog, driven through its named controls.
#include "levelling/ui/intermediate_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "scripted_dialogs.h"

namespace velkar::levelling {
namespace {

void row(ResultTable& t, int r, const char* point, const char* first, const char* second) {
    t.setCell(r, 0, point);
    t.setCell(r, 1, r % 2 ? " Geri" : " Ileri");
    t.setCell(r, 2, first);
    t.setCell(r, 3, second);
}

TEST(IntermediateDifferenceDialog, ComputesFromTheTableAndHides) {
    test::ScriptedDialogs dialogs;
    ResultTable table;
    row(table, 0, "  NOKTA", "  Mira 1  ", "  Mira 2  ");
    row(table, 1, "A", "   1.50000", "   1.50020");
    row(table, 2, "B", "   0.80000", "   0.80000");
    row(table, 3, "B", "   1.30000", "   1.30000");
    row(table, 4, "C", "   1.10000", "   1.10020");
    row(table, 5, "C", "   0.90000", "   0.90000");
    row(table, 6, "D", "   1.40000", "   1.40000");
    IntermediateDifferenceDialog dialog(dialogs, table);
    dialog.show();
    auto* text1 = dialog.findChild<QLineEdit*>("Text1");
    auto* text2 = dialog.findChild<QLineEdit*>("Text2");
    auto* ok = dialog.findChild<QPushButton*>("Command1");
    auto* cancel = dialog.findChild<QPushButton*>("Command2");
    ASSERT_TRUE(text1 && text2 && ok && cancel);
    const auto label = [&](const char* name) { return dialog.findChild<QLabel*>(name)->text(); };
    ok->click();  // both boxes empty: two messages
    EXPECT_EQ(dialogs.messages().size(), 2u);

    text1->setText("B");
    text2->setText("C");
    ok->click();
    EXPECT_EQ(label("Label3"), QStringLiteral("Geri Mira Toplamı....:  1.3"));
    EXPECT_EQ(label("Label4"), QStringLiteral("ileri Mira Toplamı...:  1.1001"));
    EXPECT_EQ(label("Label5"), QStringLiteral("Kot Farkı .......:  .1999"));
    cancel->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(text1->text(), QStringLiteral("B"));  // kept for the next use
}

}  // namespace
}  // namespace velkar::levelling
