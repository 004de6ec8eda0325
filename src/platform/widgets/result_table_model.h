// The result table shown in a QTableView.  Row 0 of the table is its header
// row: it becomes the view's column header (always visible, its sections
// dragged to resize), and model row r shows table row r + 1.  Cells that hold
// one number are shown right-aligned; column 0 holds point names and is
// always left-aligned.
#pragma once

#include <QAbstractTableModel>

#include "platform/result_table.h"

namespace velkar {

class ResultTableModel : public QAbstractTableModel, public ResultTableListener {
    Q_OBJECT
  public:
    explicit ResultTableModel(ResultTable& table, QObject* parent = nullptr);
    ~ResultTableModel() override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The text shown in a cell (a number without its padding blanks).
    QString displayText(int row, int column) const;

    void tableReset() override;
    void rowCountChanged(int oldCount, int newCount) override;
    void cellChanged(int row, int column) override;

  private:
    ResultTable& table_;
};

// Whether a cell's text (blanks around it aside) is one number: -?digits[.digits] or -?.digits.
bool isNumberCell(const QString& text);

}  // namespace velkar
