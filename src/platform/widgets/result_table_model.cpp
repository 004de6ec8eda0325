#include "platform/widgets/result_table_model.h"

#include <QFont>

#include "platform/qt/qt_text.h"

namespace velkar {

ResultTableModel::ResultTableModel(ResultTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    table_.setListener(this);
}

ResultTableModel::~ResultTableModel() { table_.setListener(nullptr); }

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.rowCount();
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ResultTable::kColumns;
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return toQ(table_.cell(index.row(), index.column()));
    if (role == Qt::FontRole && index.row() == 0) {
        QFont f;
        f.setBold(true);
        return f;
    }
    return {};
}

void ResultTableModel::tableReset() {
    beginResetModel();
    endResetModel();
}

void ResultTableModel::rowCountChanged(int oldCount, int newCount) {
    // The table has already changed: tell the view with a reset when rows went
    // away, and as an insertion when rows were added (the usual case).
    if (newCount > oldCount) {
        beginInsertRows({}, oldCount, newCount - 1);
        endInsertRows();
    } else {
        beginResetModel();
        endResetModel();
    }
}

void ResultTableModel::cellChanged(int row, int column) {
    const QModelIndex i = index(row, column);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

}  // namespace velkar
