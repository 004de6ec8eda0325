#include "platform/widgets/result_table_model.h"

#include <algorithm>

#include "platform/qt/qt_text.h"

namespace velkar {

bool isNumberCell(const QString& text) {
    const QString t = text.trimmed();
    int i = t.startsWith(QLatin1Char('-')) ? 1 : 0;
    int digits = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isDigit() && c.unicode() < 128) {
            ++digits;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits > 0;
}

ResultTableModel::ResultTableModel(ResultTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    table_.setListener(this);
}

ResultTableModel::~ResultTableModel() {
    table_.setListener(nullptr);
}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, table_.rowCount() - 1);
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ResultTable::kColumns;
}

QString ResultTableModel::displayText(int row, int column) const {
    const QString text = toQ(table_.cell(row + 1, column));
    return column > 0 && isNumberCell(text) ? text.trimmed() : text;
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return displayText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole) {
        const bool number =
            index.column() > 0 && isNumberCell(toQ(table_.cell(index.row() + 1, index.column())));
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    return {};
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        return toQ(table_.cell(0, section)).trimmed();
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

void ResultTableModel::tableReset() {
    beginResetModel();
    endResetModel();
}

void ResultTableModel::rowCountChanged(int oldCount, int newCount) {
    // The table has already changed: tell the view with a reset when rows went
    // away, and as an insertion when rows were added (the usual case).
    const int oldRows = std::max(0, oldCount - 1);
    const int newRows = std::max(0, newCount - 1);
    if (newRows > oldRows) {
        beginInsertRows({}, oldRows, newRows - 1);
        endInsertRows();
    } else if (newRows < oldRows || newCount < oldCount) {
        beginResetModel();
        endResetModel();
    }
}

void ResultTableModel::cellChanged(int row, int column) {
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, column, column);
        return;
    }
    const QModelIndex i = index(row - 1, column);
    emit dataChanged(i, i, {Qt::DisplayRole, Qt::TextAlignmentRole});
}

}  // namespace velkar
