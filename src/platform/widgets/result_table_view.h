// The view of the result table: a column header that stays in place while
// the rows scroll, columns the user widens or narrows by dragging the header,
// and columns sized to their contents so that no value is cut.  The sizes
// come from a bounded sample of rows (the first, the last and some spread
// between them), so a table of hundreds of thousands of rows is sized at once.
#pragma once

#include <QTableView>
#include <QTimer>
#include <vector>

namespace velkar {

class ResultTableModel;

class ResultTableView : public QTableView {
    Q_OBJECT
  public:
    explicit ResultTableView(QWidget* parent = nullptr);
    void setResultModel(ResultTableModel* model);

    // How many rows are sampled from each of the start, the middle and the end.
    static constexpr int kSampleRows = 400;
    // The model rows whose texts decide the column widths.
    static std::vector<int> sampleRows(int rowCount);

  public slots:
    // Sizes every column the user has not sized himself since the table was
    // last emptied to the widest sampled text and its heading.
    void fitColumns();

  private:
    void scheduleFit();

    ResultTableModel* model_ = nullptr;
    QTimer fitTimer_;
    std::vector<bool> userSized_;
    bool fitting_ = false;
};

}  // namespace velkar
