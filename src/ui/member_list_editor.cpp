#include "ui/member_list_editor.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include "codeplug/list_engine.h"
#include "ui/list_table_model.h"
#include "ui/list_view.h"
#include "ui/move_button.h"

namespace tamberlin {

namespace {

constexpr const char* kDragFormat = "application/x-tamberlin-member-rows";

// Drops land on the viewport, so it takes them as the view does.
void setDropsAccepted(QAbstractItemView* view, bool accepted) {
  view->setAcceptDrops(accepted);
  view->viewport()->setAcceptDrops(accepted);
}

class DraggableRows final : public ListTableModel {
 public:
  using ListTableModel::ListTableModel;
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    return ListTableModel::flags(index) | Qt::ItemIsDragEnabled;
  }
  Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
};

// One of the two lists: rows dragged from it carry the editor's mark, and the
// editor takes the other list's rows dropped on it.
class MemberDragView final : public ListView {
 public:
  MemberDragView(MemberListEditor* editor, QWidget* parent) : ListView(parent), editor_(editor) {
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDropsAccepted(this, true);
  }

 protected:
  void startDrag(Qt::DropActions) override {
    auto* drag = new QDrag(this);
    drag->setMimeData(editor_->dragData(this));
    drag->exec(Qt::MoveAction);
  }
  void dragEnterEvent(QDragEnterEvent* event) override {
    answer(event, editor_->acceptsDrop(event->mimeData(), this));
  }
  void dragMoveEvent(QDragMoveEvent* event) override {
    answer(event, editor_->acceptsDrop(event->mimeData(), this));
  }
  void dropEvent(QDropEvent* event) override { answer(event, editor_->dropRows(event->mimeData(), this)); }

 private:
  static void answer(QDropEvent* event, bool accepted) {
    if (accepted) {
      event->setDropAction(Qt::MoveAction);
      event->accept();
    } else {
      event->ignore();
    }
  }

  MemberListEditor* editor_;
};

QLabel* titleLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

MemberListEditor::MemberListEditor(MemberListTexts texts, int capacity, QWidget* parent)
    : QWidget(parent), texts_(std::move(texts)), capacity_(capacity) {
  static int editors = 0;
  id_ = ++editors;
  QStringList headers;
  for (std::string_view header : texts_.headers) headers << QString::fromUtf8(header.data(), header.size());

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* availableSide = new QVBoxLayout;
  availableTitle_ = titleLabel("AvailableTitleLabel", this);
  availableTitle_->setText(QString::fromUtf8(texts_.availableTitle.data(), texts_.availableTitle.size()));
  availableView_ = new MemberDragView(this, this);
  availableView_->setObjectName("AvailableListView");
  availableModel_ = new DraggableRows(
      headers, [this] { return static_cast<int>(available_.size()); },
      [this](int row, int column) { return cell(available_, row, column); }, this);
  availableView_->setModel(availableModel_);
  availableSide->addWidget(availableTitle_);
  availableSide->addWidget(availableView_, 1);

  auto* middle = new QVBoxLayout;
  add_ = new QPushButton("Add >", this);
  add_->setObjectName("AddToMemberBitBtn");
  remove_ = new QPushButton("< Remove", this);
  remove_->setObjectName("DeleteFromMemberBitBtn");
  middle->addStretch(1);
  middle->addWidget(add_);
  middle->addWidget(remove_);
  middle->addStretch(1);

  auto* memberSide = new QVBoxLayout;
  membersTitle_ = titleLabel("MembersTitleLabel", this);
  memberView_ = new MemberDragView(this, this);
  memberView_->setObjectName("MemberListView");
  memberModel_ = new DraggableRows(
      headers, [this] { return static_cast<int>(members_.size()); },
      [this](int row, int column) { return cell(members_, row, column); }, this);
  memberView_->setModel(memberModel_);
  up_ = new MoveButton(1, 10, "Move entry up by 1 place", this);
  up_->setObjectName("MemberMoveUpBitBtn");
  up_->setText("Up");
  down_ = new MoveButton(-1, -10, "Move entry down by 1 place", this);
  down_->setObjectName("MemberMoveDownBitBtn");
  down_->setText("Down");
  auto* moves = new QHBoxLayout;
  for (MoveButton* button : {up_, down_}) {
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    moves->addWidget(button);
    connect(button, &MoveButton::moveRequested, this, &MemberListEditor::moveSelected);
  }
  memberSide->addWidget(membersTitle_);
  memberSide->addWidget(memberView_, 1);
  memberSide->addLayout(moves);

  for (ListView* view : {availableView_, memberView_}) {
    view->horizontalHeader()->resizeSection(0, 8);
    view->horizontalHeader()->resizeSection(1, fontMetrics().horizontalAdvance("00000") + 16);
    view->horizontalHeader()->setStretchLastSection(true);
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MemberListEditor::updateState);
  }
  layout->addLayout(availableSide, 1);
  layout->addLayout(middle);
  layout->addLayout(memberSide, 1);

  connect(add_, &QPushButton::clicked, this, &MemberListEditor::addSelected);
  connect(remove_, &QPushButton::clicked, this, &MemberListEditor::removeSelected);
  connect(availableView_, &QAbstractItemView::doubleClicked, this, &MemberListEditor::addSelected);
  connect(memberView_, &QAbstractItemView::doubleClicked, this, &MemberListEditor::removeSelected);
  connect(memberView_, &ListView::moveRequested, this, &MemberListEditor::moveSelected);
  refresh();
}

MemberListEditor::~MemberListEditor() = default;

void MemberListEditor::setList(std::unique_ptr<MemberList> list) {
  list_ = std::move(list);
  refresh();
}

void MemberListEditor::setCapacity(int capacity) {
  capacity_ = capacity;
  updateState();
}

void MemberListEditor::setDragEnabled(bool enabled) {
  for (ListView* view : {availableView_, memberView_}) {
    view->setDragEnabled(enabled);
    setDropsAccepted(view, enabled);
  }
}

int MemberListEditor::capacity() const { return list_ ? list_->capacity() : capacity_; }

QString MemberListEditor::cell(const std::vector<int>& numbers, int row, int column) const {
  if (!list_ || column < 1 || row < 0 || row >= static_cast<int>(numbers.size())) return {};
  const std::vector<std::u16string> cells = list_->cells(numbers[static_cast<size_t>(row)]);
  if (column > static_cast<int>(cells.size())) return {};
  const std::u16string& text = cells[static_cast<size_t>(column - 1)];
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

void MemberListEditor::refresh() {
  members_ = list_ ? members(*list_) : std::vector<int>{};
  available_ = list_ ? availableRecords(*list_) : std::vector<int>{};
  availableModel_->refresh();
  memberModel_->refresh();
  updateState();
}

void MemberListEditor::updateState() {
  const bool shown = list_ != nullptr;
  const int count = static_cast<int>(members_.size());
  membersTitle_->setText(QString::fromStdString(
      memberCounterText(texts_.counterText, texts_.upToText, shown, count, capacity())));
  const MemberButtonState state = memberButtonState(
      shown ? count : -1, capacity(), !availableView_->selectedRows().empty(), memberView_->selectedRows());
  add_->setEnabled(state.add);
  remove_->setEnabled(state.remove);
  up_->setEnabled(state.moveUp);
  down_->setEnabled(state.moveDown);
}

void MemberListEditor::changed() {
  emit membersChanged();
  // The lists are rebuilt once the click, double-click or drop has finished.
  QMetaObject::invokeMethod(this, &MemberListEditor::refresh, Qt::QueuedConnection);
}

void MemberListEditor::addSelected() {
  if (!list_) return;
  if (static_cast<int>(members_.size()) >= list_->capacity()) {
    updateState();
    return;
  }
  std::vector<int> numbers;
  for (int row : availableView_->selectedRows()) {
    if (row < static_cast<int>(available_.size())) numbers.push_back(available_[static_cast<size_t>(row)]);
  }
  if (numbers.empty()) return;
  addMembers(*list_, numbers);
  changed();
}

void MemberListEditor::removeSelected() {
  const std::vector<int> rows = memberView_->selectedRows();
  if (!list_ || rows.empty()) return;
  memberView_->clearSelection();
  removeMembers(*list_, rows);
  changed();
}

void MemberListEditor::moveSelected(int distance) {
  const std::vector<int> rows = memberView_->selectedRows();
  if (!list_ || rows.empty()) return;
  const std::vector<int> moved = moveMembers(*list_, rows, distance);
  if (moved == rows) return;
  members_ = members(*list_);
  memberModel_->rowsChanged();
  memberView_->selectRows(moved);
  memberView_->scrollTo(memberModel_->index(distance > 0 ? moved.front() : moved.back(), 0));
  memberView_->setFocus();
  updateState();
  emit membersChanged();
}

void MemberListEditor::tick() {
  if (!repeat_) return;
  up_->tick();
  down_->tick();
}

// Which editor and which of its lists rows were dragged from, so rows go only
// from one list of an editor to its other one.
QByteArray MemberListEditor::dragMark(const ListView* source) const {
  return QByteArray::number(id_) + (source == memberView_ ? ":members" : ":available");
}

QMimeData* MemberListEditor::dragData(const ListView* source) const {
  auto* data = new QMimeData;
  data->setData(kDragFormat, dragMark(source));
  return data;
}

bool MemberListEditor::acceptsDrop(const QMimeData* data, const ListView* target) const {
  if (!data || !list_ || !target->acceptDrops()) return false;
  return data->data(kDragFormat) == dragMark(target == memberView_ ? availableView_ : memberView_);
}

bool MemberListEditor::dropRows(const QMimeData* data, const ListView* target) {
  if (!acceptsDrop(data, target)) return false;
  if (target == memberView_) {
    addSelected();
  } else {
    removeSelected();
  }
  return true;
}

}  // namespace tamberlin
