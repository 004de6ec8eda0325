// The result table shown in a QTableView.  Row 0 is the table's header row,
// shown like any other row (as the original grid did).
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

    void tableReset() override;
    void rowCountChanged(int oldCount, int newCount) override;
    void cellChanged(int row, int column) override;

private:
    ResultTable& table_;
};

}  // namespace velkar
