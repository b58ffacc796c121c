#pragma once

#include <QObject>
#include <functional>
#include <optional>

#include "codeplug/list_engine.h"

namespace tamberlin {

class ListPopupMenu;
class ListTableModel;
class ListView;
class Prompt;
class c_codeplug;

// The list operations of a list editor, wired to its list view: Add, Insert,
// Delete, moves, Copy, Paste, Select All and the pop-up menu. Each runs the
// list engine over the selected slot and then redraws the list.
class ListEditorController : public QObject {
  Q_OBJECT

 public:
  using SlotSource = std::function<c_codeplug*()>;  // nullptr: no codeplug
  using SectionSource = std::function<ListSection(const c_codeplug&)>;
  // Puts a new record before a 0-based position (-1: append); the new index,
  // -1 without a list, -2 when full.
  using Inserter = std::function<int(c_codeplug&, int position)>;

  ListEditorController(ListView* view, ListTableModel* model, Prompt& prompt, SlotSource slot,
                       SectionSource section, QObject* parent);

  // A declined delete question keeps the records above it as well.
  void setStopDeleteOnDecline(bool stop) { stopDeleteOnDecline_ = stop; }
  // A section whose new records must come through its own routine; by default
  // the list engine inserts them.
  // A paste that fails for any reason but a full list drops the section's
  // blocks from the clipboard, so the same bad block is not offered again.
  void setDropClipboardOnFailedPaste(bool drop) { dropClipboardOnFailedPaste_ = drop; }
  void setInserter(Inserter inserter) { inserter_ = std::move(inserter); }

  bool hasList() const;
  int used() const;
  int capacity() const;
  std::optional<ListSection> section() const;

  void add();
  // Inserts through `inserter`, then selects, shows and focuses the new row.
  // Returns what the inserter returned.
  int addWith(int position, const Inserter& inserter);
  void insert();
  void deleteSelection();
  void move(int distance);
  void copy();
  void paste();
  void selectAll();
  void unselectAll();
  void showMenu(const QPoint& globalPosition);
  ListMenuState menuState() const;
  ListPopupMenu* menu() const { return menu_; }
  // Takes the row count again and keeps `topRow` (or the last row) at the top.
  void refreshKeeping(int topRow);

 signals:
  // The records changed: the form redraws what depends on them.
  void listChanged();
  // Written into records without a change of the row count or selection.
  void selectionReplaced();

 private:
  void addAt(int position);
  int insertDefault(c_codeplug& slot, int position) const;

  ListView* view_;
  ListTableModel* model_;
  Prompt& prompt_;
  SlotSource slot_;
  SectionSource section_;
  ListPopupMenu* menu_;
  bool stopDeleteOnDecline_ = false;
  bool dropClipboardOnFailedPaste_ = false;
  Inserter inserter_;
};

}  // namespace tamberlin
