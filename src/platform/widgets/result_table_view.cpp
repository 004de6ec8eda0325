#include "platform/widgets/result_table_view.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <algorithm>

#include "platform/widgets/result_table_model.h"

namespace velkar {

ResultTableView::ResultTableView(QWidget* parent) : QTableView(parent) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setVisible(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    fitTimer_.setSingleShot(true);
    fitTimer_.setInterval(500);
    connect(&fitTimer_, &QTimer::timeout, this, &ResultTableView::fitColumns);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int) {
        if (!fitting_ && column >= 0 && column < static_cast<int>(userSized_.size())) {
            userSized_[static_cast<size_t>(column)] = true;
        }
    });
}

void ResultTableView::setResultModel(ResultTableModel* model) {
    model_ = model;
    setModel(model);
    if (!model) return;
    userSized_.assign(static_cast<size_t>(model->columnCount()), false);
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        std::fill(userSized_.begin(), userSized_.end(), false);
        scheduleFit();
    });
    connect(model, &QAbstractItemModel::rowsInserted, this, &ResultTableView::scheduleFit);
    connect(model, &QAbstractItemModel::dataChanged, this, &ResultTableView::scheduleFit);
    connect(model, &QAbstractItemModel::headerDataChanged, this, &ResultTableView::scheduleFit);
}

void ResultTableView::scheduleFit() {
    if (!fitTimer_.isActive()) fitTimer_.start();
}

std::vector<int> ResultTableView::sampleRows(int rowCount) {
    std::vector<int> rows;
    if (rowCount <= 3 * kSampleRows) {
        for (int r = 0; r < rowCount; ++r) rows.push_back(r);
        return rows;
    }
    for (int r = 0; r < kSampleRows; ++r) rows.push_back(r);
    const int middle = rowCount - 2 * kSampleRows;
    for (int k = 0; k < kSampleRows; ++k) {
        rows.push_back(kSampleRows +
                       static_cast<int>(static_cast<long long>(k) * middle / kSampleRows));
    }
    for (int r = rowCount - kSampleRows; r < rowCount; ++r) rows.push_back(r);
    return rows;
}

void ResultTableView::fitColumns() {
    fitTimer_.stop();
    if (!model_) return;
    const QFontMetrics cells = fontMetrics();
    const QFontMetrics heading = horizontalHeader()->fontMetrics();
    // The cell and header margins of the styles are a few pixels; two
    // characters of the fixed font cover them with room to spare.
    const int margin = 2 * cells.horizontalAdvance(QLatin1Char('0'));
    const int headingMargin = 2 * heading.horizontalAdvance(QLatin1Char('0')) + 8;
    const std::vector<int> rows = sampleRows(model_->rowCount());
    fitting_ = true;
    for (int c = 0; c < model_->columnCount(); ++c) {
        if (userSized_[static_cast<size_t>(c)]) continue;
        int width = 0;
        const QString title = model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        if (!title.isEmpty()) width = heading.horizontalAdvance(title) + headingMargin;
        for (int r : rows) {
            const QString text = model_->displayText(r, c);
            if (!text.isEmpty()) width = std::max(width, cells.horizontalAdvance(text) + margin);
        }
        horizontalHeader()->resizeSection(c, std::max(width, margin));
    }
    fitting_ = false;
}

}  // namespace velkar
