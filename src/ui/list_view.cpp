#include "ui/list_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>

#include "ui/cell_editor_delegate.h"

namespace tamberlin {

ListView::ListView(QWidget* parent) : QTableView(parent) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked);
  setShowGrid(false);
  setAlternatingRowColors(true);
  setWordWrap(false);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  verticalHeader()->hide();
  // Fixed row heights keep scrolling through thousands of rows cheap.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setStretchLastSection(true);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void ListView::setCellDelegate(int column, CellEditorDelegate* delegate) {
  cellDelegates_.push_back(delegate);
  setItemDelegateForColumn(column, delegate);
}

std::vector<int> ListView::selectedRows() const {
  std::vector<int> rows;
  if (!selectionModel()) return rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void ListView::selectRows(const std::vector<int>& rows) {
  QItemSelectionModel* selection = selectionModel();
  if (!selection || !model()) return;
  QItemSelection wanted;
  const int last = model()->columnCount() - 1;
  for (int row : rows) {
    if (row < 0 || row >= model()->rowCount()) continue;
    wanted.select(model()->index(row, 0), model()->index(row, last));
  }
  selection->select(wanted, QItemSelectionModel::ClearAndSelect);
  if (!rows.empty() && rows.front() >= 0 && rows.front() < model()->rowCount()) {
    selection->setCurrentIndex(model()->index(rows.front(), 0), QItemSelectionModel::NoUpdate);
  }
}

int ListView::topRow() const { return std::max(rowAt(0), 0); }

int ListView::visibleRows() const {
  const int height = verticalHeader()->defaultSectionSize();
  return height > 0 ? std::max(viewport()->height() / height, 1) : 1;
}

void ListView::scrollToTop(int row) {
  if (!model() || row < 0 || row >= model()->rowCount()) return;
  scrollTo(model()->index(row, 0), QAbstractItemView::PositionAtTop);
}

void ListView::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  if (event->key() == Qt::Key_Delete && state() != EditingState) {
    emit deleteRequested();
    return;
  }
  if (ctrl && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
    const int distance = shift ? 10 : 1;
    emit moveRequested(event->key() == Qt::Key_Up ? distance : -distance);
    return;
  }
  QTableView::keyPressEvent(event);
}

void ListView::scrollContentsBy(int dx, int dy) {
  for (CellEditorDelegate* delegate : cellDelegates_) {
    if (QWidget* editor = delegate->openEditor()) {
      commitData(editor);
      closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
  }
  QTableView::scrollContentsBy(dx, dy);
}

void ListView::contextMenuEvent(QContextMenuEvent* event) { emit menuRequested(event->globalPos()); }

}  // namespace tamberlin
