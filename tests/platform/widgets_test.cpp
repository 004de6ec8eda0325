// The result table's view, the file box's overwrite question and Qt's own
// Turkish texts, offscreen.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include "golden.h"
#include "platform/qt/qt_text.h"
#include "platform/widgets/result_table_model.h"
#include "platform/widgets/result_table_view.h"
#include "platform/widgets/translations.h"
#include "platform/widgets/widget_dialogs.h"

namespace velkar {
namespace {

namespace fs = std::filesystem;

// A long result: its widest values sit in rows no screen shows at first, one
// in the very last row.  The heading row stays out of the rows.
TEST(ResultTableView, ColumnsFitTheSampledValuesOfALongTable) {
    ResultTable table;
    table.setCell(0, 0, " Nokta");
    table.setCell(0, 1, "      Y");
    const int rows = 200000;
    for (int r = 1; r <= rows; ++r) {
        table.setCell(r, 0, "P" + std::to_string(r));
        table.setCell(r, 1, "   1.5");
    }
    table.setCell(rows - 1, 1, "  4512345.12345");
    table.setCell(rows, 0, "SON-NOKTA-ADI-UZUN");
    ResultTableModel model(table);
    ResultTableView view;
    view.setResultModel(&model);
    view.resize(600, 400);
    view.fitColumns();

    EXPECT_EQ(model.rowCount(), rows);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Y");
    EXPECT_LE(ResultTableView::sampleRows(rows).size(), 3u * ResultTableView::kSampleRows);
    const QFontMetrics fm = view.fontMetrics();
    EXPECT_GT(view.columnWidth(0), fm.horizontalAdvance(model.displayText(rows - 1, 0)));
    EXPECT_GT(view.columnWidth(1), fm.horizontalAdvance(model.displayText(rows - 2, 1)));
    // Numbers stand right-aligned without their padding; names stay on the left.
    EXPECT_EQ(model.displayText(rows - 2, 1), "4512345.12345");
    const auto align = [&](int r, int c) {
        return model.data(model.index(r, c), Qt::TextAlignmentRole).value<Qt::Alignment>() &
               Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(align(0, 1), Qt::AlignRight);
    EXPECT_EQ(align(0, 0), Qt::AlignLeft);

    // A column the user has dragged keeps its width when the rows change.
    view.horizontalHeader()->resizeSection(1, 33);
    table.setCell(5, 1, "123456789012345678901234567890");
    view.fitColumns();
    EXPECT_EQ(view.columnWidth(1), 33);
}

// Answers the next modal box with f once it is shown.
template <typename Box, typename F>
void whenShown(F f) {
    QTimer::singleShot(50, [f] {
        auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
        if (box) {
            f(box);
        } else {
            whenShown<Box>(f);
        }
    });
}

// Replacing a file chosen in a save box takes the program's own question;
// Cancel goes back to the box, OK takes the name.
TEST(WidgetDialogs, ASaveBoxAsksTheProgramsOwnQuestionBeforeReplacing) {
    const fs::path dir = test::tempDir("save-box");
    test::writeBytes(dir / "eski.txt", "old");
    WidgetDialogs dialogs;
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.flags = kAskBeforeOverwrite;
    request.fileName = dir / "eski.txt";
    QStringList questions;
    int boxes = 0;
    std::function<void(QFileDialog*)> accept = [&](QFileDialog* d) {
        ++boxes;
        static_cast<QDialog*>(d)->accept();  // as the box's own button does
        whenShown<QMessageBox>([&](QMessageBox* q) {
            questions << q->text();
            q->button(boxes == 1 ? QMessageBox::Cancel : QMessageBox::Ok)->click();
            if (boxes == 1) whenShown<QFileDialog>(accept);
        });
    };
    whenShown<QFileDialog>(accept);
    EXPECT_EQ(dialogs.chooseFile(request).path, dir / "eski.txt");
    EXPECT_EQ(boxes, 2);
    ASSERT_EQ(questions.size(), 2);
    EXPECT_TRUE(questions[0].startsWith(pathToQ(dir / "eski.txt")));
}

TEST(QtTurkish, QtsOwnTextsAreTurkishWhenTheTranslationIsThere) {
    EXPECT_FALSE(
        installQtTurkish(QString::fromStdString(test::tempDir("no-translations").string())));
    if (!QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath))
             .exists(QStringLiteral("qtbase_tr.qm"))) {
        GTEST_SKIP() << "Qt's translations are not installed (scripts/setup.sh installs them)";
    }
    EXPECT_TRUE(installQtTurkish());
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Cancel);
    EXPECT_FALSE(box.button(QMessageBox::Cancel)->text().contains(QStringLiteral("Cancel")));
}

}  // namespace
}  // namespace velkar
