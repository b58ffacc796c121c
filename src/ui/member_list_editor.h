#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "codeplug/member_list.h"

class QLabel;
class QMimeData;
class QPushButton;

namespace tamberlin {

class ListTableModel;
class ListView;
class MoveButton;

// The member editor of one record: the records that may join on the left, the
// members on the right, with add, remove and move buttons, double-clicks and
// drags between the two. It shows a list only while the form hands it one,
// which it does while exactly one record is selected.
class MemberListEditor : public QWidget {
  Q_OBJECT

 public:
  // `capacity` is what the title counts up to while no list is shown.
  MemberListEditor(MemberListTexts texts, int capacity, QWidget* parent);
  ~MemberListEditor() override;

  // The members of the one selected record; nullptr while none or several are.
  void setList(std::unique_ptr<MemberList> list);
  void setCapacity(int capacity);
  // Dragging between the lists; on by default.
  void setDragEnabled(bool enabled);
  // Whether the member move buttons repeat while held; on by default.
  void setRepeatEnabled(bool enabled) { repeat_ = enabled; }

  // Rebuilds both lists from the buffer.
  void refresh();
  // The editor's 25 ms tick.
  void tick();

  void addSelected();
  void removeSelected();
  void moveSelected(int distance);

  // What a drag from `source` (one of the two lists) carries.
  QMimeData* dragData(const ListView* source) const;
  bool acceptsDrop(const QMimeData* data, const ListView* target) const;
  // Rows of the other list dropped on `target`: candidates join, members leave.
  bool dropRows(const QMimeData* data, const ListView* target);

 signals:
  void membersChanged();

 private:
  void changed();
  void updateState();
  int capacity() const;
  QString cell(const std::vector<int>& numbers, int row, int column) const;
  QByteArray dragMark(const ListView* source) const;

  int id_ = 0;
  MemberListTexts texts_;
  int capacity_;
  std::unique_ptr<MemberList> list_;
  std::vector<int> available_;
  std::vector<int> members_;
  bool repeat_ = true;
  QLabel* availableTitle_;
  QLabel* membersTitle_;
  ListView* availableView_;
  ListView* memberView_;
  ListTableModel* availableModel_;
  ListTableModel* memberModel_;
  QPushButton* add_;
  QPushButton* remove_;
  MoveButton* up_;
  MoveButton* down_;
};

}  // namespace tamberlin
