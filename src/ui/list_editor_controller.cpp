#include "ui/list_editor_controller.h"

#include <QScrollBar>

#include "codeplug/c_codeplug.h"
#include "support/prompt.h"
#include "ui/clipboard_mime.h"
#include "ui/list_popup_menu.h"
#include "ui/list_table_model.h"
#include "ui/list_view.h"

namespace tamberlin {

ListEditorController::ListEditorController(ListView* view, ListTableModel* model, Prompt& prompt, SlotSource slot,
                                           SectionSource section, QObject* parent)
    : QObject(parent),
      view_(view),
      model_(model),
      prompt_(prompt),
      slot_(std::move(slot)),
      section_(std::move(section)),
      menu_(new ListPopupMenu(view)) {
  connect(view_, &ListView::deleteRequested, this, &ListEditorController::deleteSelection);
  connect(view_, &ListView::moveRequested, this, &ListEditorController::move);
  connect(view_, &ListView::menuRequested, this, &ListEditorController::showMenu);
  connect(menu_->copyItem, &QAction::triggered, this, &ListEditorController::copy);
  connect(menu_->pasteItem, &QAction::triggered, this, &ListEditorController::paste);
  connect(menu_->addItem, &QAction::triggered, this, &ListEditorController::add);
  connect(menu_->insertItem, &QAction::triggered, this, &ListEditorController::insert);
  connect(menu_->deleteItem, &QAction::triggered, this, &ListEditorController::deleteSelection);
  connect(menu_->selectAllItem, &QAction::triggered, this, &ListEditorController::selectAll);
  connect(menu_->unselectAllItem, &QAction::triggered, this, &ListEditorController::unselectAll);
}

std::optional<ListSection> ListEditorController::section() const {
  c_codeplug* slot = slot_();
  if (!slot || !slot->holdsCodeplug()) return std::nullopt;
  return section_(*slot);
}

bool ListEditorController::hasList() const {
  const auto s = section();
  return s && ListEngine(*slot_(), *s).holdsList();
}

int ListEditorController::used() const {
  const auto s = section();
  return s ? ListEngine(*slot_(), *s).used() : 0;
}

int ListEditorController::capacity() const {
  const auto s = section();
  return s ? s->layout.capacity : 0;
}

void ListEditorController::add() { addAt(-1); }

void ListEditorController::insert() {
  const std::vector<int> rows = view_->selectedRows();
  if (!rows.empty()) {
    addAt(rows.front());
  } else {
    addAt(model_->rowCount() == 0 ? -1 : view_->topRow());  // an empty list is appended to
  }
}

int ListEditorController::insertDefault(c_codeplug& slot, int position) const {
  if (inserter_) return inserter_(slot, position);
  const auto s = section();
  return s ? ListEngine(slot, *s).insert(position) : -1;
}

void ListEditorController::addAt(int position) {
  addWith(position, [this](c_codeplug& slot, int p) { return insertDefault(slot, p); });
}

int ListEditorController::addWith(int position, const Inserter& inserter) {
  c_codeplug* slot = slot_();
  if (!slot || !section()) return -1;
  const int index = inserter(*slot, position);
  if (index < 0) {
    emit listChanged();  // a full list disables Add and Insert
    return index;
  }
  view_->clearSelection();
  model_->refresh();
  view_->selectRows({index});
  view_->scrollTo(model_->index(index, 0));
  view_->setFocus();
  emit listChanged();
  return index;
}

void ListEditorController::refreshKeeping(int topRow) {
  model_->refresh();
  view_->scrollToTop(std::min(topRow, model_->rowCount() - 1));
}

void ListEditorController::deleteSelection() {
  const auto s = section();
  const std::vector<int> rows = view_->selectedRows();
  if (!s || rows.empty()) return;
  const int top = view_->topRow();
  const auto result = ListEngine(*slot_(), *s).deleteSelection(rows, stopDeleteOnDecline_, prompt_);
  refreshKeeping(top);
  if (result.selectRow >= 0) view_->selectRows({result.selectRow});
  emit listChanged();
}

void ListEditorController::move(int distance) {
  const auto s = section();
  const std::vector<int> rows = view_->selectedRows();
  if (!s || rows.empty()) return;
  const std::vector<int> moved = ListEngine(*slot_(), *s).moveSelection(rows, distance);
  if (moved == rows) return;
  model_->rowsChanged();
  view_->selectRows(moved);
  view_->scrollTo(model_->index(distance > 0 ? moved.front() : moved.back(), 0));
  view_->setFocus();
  emit listChanged();
}

void ListEditorController::copy() {
  const auto s = section();
  const std::vector<int> rows = view_->selectedRows();
  if (!s || rows.empty() || s->formatName.empty()) return;
  if (!putClipboardBlock(s->formatName, ListEngine(*slot_(), *s).copyBlock(rows))) {
    prompt_.error("Error: could not open the clipboard object. ");
  }
}

void ListEditorController::paste() {
  const auto s = section();
  if (!s || s->formatName.empty()) return;
  const auto block = clipboardBlock(s->formatName);
  if (!block) {
    prompt_.error("Error: could not get the clipboard data. ");
    if (dropClipboardOnFailedPaste_) removeClipboardBlock(s->formatName);
    return;
  }
  ListEngine engine(*slot_(), *s);
  const bool full = engine.full();
  const auto result = engine.paste(*block, prompt_);
  if (result.count == 0 && !full && dropClipboardOnFailedPaste_) removeClipboardBlock(s->formatName);
  // The refresh runs once the menu's handlers have finished.
  QMetaObject::invokeMethod(
      this,
      [this, result] {
        model_->refresh();
        if (result.count > 0) {
          const auto top = scrollTopRow(result.first + 1, model_->rowCount(), view_->visibleRows());
          if (top) view_->scrollToTop(*top);
        }
        emit listChanged();
      },
      Qt::QueuedConnection);
}

void ListEditorController::selectAll() {
  std::vector<int> rows(static_cast<size_t>(model_->rowCount()));
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(i);
  {
    const QSignalBlocker blocker(view_->selectionModel());
    view_->selectRows(rows);
  }
  QMetaObject::invokeMethod(this, [this] { view_->viewport()->update(); emit selectionReplaced(); },
                            Qt::QueuedConnection);
}

void ListEditorController::unselectAll() {
  {
    const QSignalBlocker blocker(view_->selectionModel());
    view_->clearSelection();
  }
  QMetaObject::invokeMethod(this, [this] { view_->viewport()->update(); emit selectionReplaced(); },
                            Qt::QueuedConnection);
}

ListMenuState ListEditorController::menuState() const {
  const auto s = section();
  const bool clip = s && !s->formatName.empty() && clipboardHasBlock(s->formatName);
  return listMenuState(s.has_value(), used(), capacity(), static_cast<int>(view_->selectedRows().size()), clip);
}

void ListEditorController::showMenu(const QPoint& globalPosition) {
  menu_->setState(menuState());
  menu_->popup(globalPosition);
}

}  // namespace tamberlin
