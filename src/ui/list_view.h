#pragma once

#include <QTableView>
#include <vector>

namespace tamberlin {

class CellEditorDelegate;

// The main list of a list editor: whole rows, several selected at once (also
// by dragging), Del to delete, Ctrl+Up/Down to move by 1 and with Shift by 10.
class ListView : public QTableView {
  Q_OBJECT

 public:
  explicit ListView(QWidget* parent);

  // The edit box or drop-down over the cells of a column; scrolling the list
  // commits it.
  void setCellDelegate(int column, CellEditorDelegate* delegate);

  std::vector<int> selectedRows() const;
  // Selects exactly these rows; the first becomes the current one.
  void selectRows(const std::vector<int>& rows);
  int topRow() const;
  int visibleRows() const;
  void scrollToTop(int row);

 signals:
  void deleteRequested();
  void moveRequested(int distance);
  void menuRequested(const QPoint& globalPosition);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  std::vector<CellEditorDelegate*> cellDelegates_;
};

}  // namespace tamberlin
