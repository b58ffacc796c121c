#include "ui/list_table_model.h"

namespace tamberlin {

ListTableModel::ListTableModel(QStringList headers, RowCount rowCount, CellText cell, QObject* parent)
    : QAbstractTableModel(parent), headers_(std::move(headers)), count_(std::move(rowCount)), cell_(std::move(cell)) {
  rows_ = count_();
}

void ListTableModel::setEditable(int column, CellWriter writer) { writers_[column] = std::move(writer); }

int ListTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int ListTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant ListTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return cell_(index.row(), index.column());
    case Qt::UserRole: return index.row() + 1;  // the record number
    default: return {};
  }
}

QVariant ListTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= headers_.size()) return {};
  return headers_[section];
}

Qt::ItemFlags ListTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags f = QAbstractTableModel::flags(index);
  if (writers_.count(index.column())) f |= Qt::ItemIsEditable;
  return f;
}

bool ListTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  const auto writer = writers_.find(index.column());
  if (role != Qt::EditRole || writer == writers_.end()) return false;
  if (!writer->second(index.row(), index.column(), value)) return false;
  emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
  return true;
}

void ListTableModel::refresh() {
  beginResetModel();
  rows_ = count_();
  endResetModel();
}

void ListTableModel::rowsChanged() {
  if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
}

}  // namespace tamberlin
