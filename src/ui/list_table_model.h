#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>
#include <map>

namespace tamberlin {

// A list editor's rows, read from the codeplug buffer only when a row is drawn,
// so a list of thousands of records costs nothing until it scrolls.
class ListTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using RowCount = std::function<int()>;
  using CellText = std::function<QString(int row, int column)>;
  // Writes an edited cell (the text of an edit box, the value of a
  // drop-down); false leaves the record unchanged.
  using CellWriter = std::function<bool(int row, int column, const QVariant& value)>;

  ListTableModel(QStringList headers, RowCount rowCount, CellText cell, QObject* parent);

  // Cells of `column` open their editor on a double-click.
  void setEditable(int column, CellWriter writer);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // Takes the row count again after the list changed.
  void refresh();
  // Redraws rows whose records changed without a change of the count.
  void rowsChanged();

 private:
  QStringList headers_;
  RowCount count_;
  CellText cell_;
  std::map<int, CellWriter> writers_;
  int rows_ = 0;
};

}  // namespace tamberlin
