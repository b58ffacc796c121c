#include "ui/list_editor_panel.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "codeplug/c_codeplug.h"
#include "ui/list_view.h"
#include "ui/move_button.h"

namespace tamberlin {

ListEditorPanel::ListEditorPanel(Prompt& prompt, ListEditorController::SlotSource slot,
                                 ListEditorController::SectionSource section, QStringList headers,
                                 ListTableModel::CellText cell, ListPanelOperations operations,
                                 QWidget* parent)
    : QWidget(parent), section_(section) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  title_ = new QLabel(this);
  title_->setObjectName("TitleLabel");
  layout->addWidget(title_);

  view_ = new ListView(this);
  view_->setObjectName("ListView");
  controller_ = nullptr;
  model_ = new ListTableModel(
      std::move(headers), [this] { return controller_ ? controller_->used() : 0; }, std::move(cell), this);
  view_->setModel(model_);
  view_->horizontalHeader()->resizeSection(0, 8);
  view_->horizontalHeader()->resizeSection(1, fontMetrics().horizontalAdvance("00000") + 16);
  layout->addWidget(view_, 1);
  controller_ = new ListEditorController(view_, model_, prompt, std::move(slot), std::move(section), this);
  model_->refresh();
  // The controller offers every operation; an editor without some drops them.
  if (!operations.moves)
    disconnect(view_, &ListView::moveRequested, controller_, &ListEditorController::move);
  if (!operations.popupMenu)
    disconnect(view_, &ListView::menuRequested, controller_, &ListEditorController::showMenu);

  buttons_ = new QGridLayout;
  add_ = new QPushButton("Add", this);
  add_->setObjectName("AddBitBtn");
  insert_ = new QPushButton("Insert", this);
  insert_->setObjectName("InsertBitBtn");
  delete_ = new QPushButton("Delete", this);
  delete_->setObjectName("DeleteBitBtn");
  buttons_->addWidget(add_, 0, 0);
  buttons_->addWidget(insert_, 0, 1);
  buttons_->addWidget(delete_, 0, 2);
  if (operations.moves) {
    auto* up = new MoveButton(1, 10, "Move entry up by 1 place", this);
    up->setObjectName("MoveUpBitBtn");
    up->setText("Up");
    auto* down = new MoveButton(-1, -10, "Move entry down by 1 place", this);
    down->setObjectName("MoveDownBitBtn");
    down->setText("Down");
    for (MoveButton* button : {up, down}) {
      button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
      moveButtons_.push_back(button);
      connect(button, &MoveButton::moveRequested, controller_, &ListEditorController::move);
    }
    buttons_->addWidget(up, 1, 0);
    buttons_->addWidget(down, 1, 1);
  }
  layout->addLayout(buttons_);

  connect(add_, &QPushButton::clicked, controller_, &ListEditorController::add);
  connect(insert_, &QPushButton::clicked, controller_, &ListEditorController::insert);
  connect(delete_, &QPushButton::clicked, controller_, &ListEditorController::deleteSelection);
  auto changed = [this] {
    updateCounterAndButtons();
    emit selectionChanged();
  };
  connect(controller_, &ListEditorController::listChanged, this, changed);
  connect(controller_, &ListEditorController::selectionReplaced, this, changed);
  connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this, changed);
}

void ListEditorPanel::refresh(bool clearSelection) {
  if (clearSelection) view_->clearSelection();
  model_->refresh();
  updateCounterAndButtons();
  emit selectionChanged();
}

void ListEditorPanel::updateCounterAndButtons() {
  const auto section = controller_->section();
  const std::vector<int> rows = view_->selectedRows();
  const int used = controller_->used();
  static const c_codeplug noCodeplug;
  const ListSection shown = section.value_or(section_(noCodeplug));
  title_->setText(QString::fromStdString(
      listCounterText(shown, section.has_value(), used, static_cast<int>(rows.size()))));
  const bool room = controller_->hasList() && used < controller_->capacity();
  add_->setEnabled(room);
  insert_->setEnabled(room);
  delete_->setEnabled(!rows.empty());
  const bool first = !rows.empty() && rows.front() == 0;
  const bool last = !rows.empty() && rows.back() == used - 1;
  for (MoveButton* button : moveButtons_) {
    const bool up = button->objectName() == "MoveUpBitBtn";
    button->setEnabled(!rows.empty() && (up ? !first : !last));
  }
}

void ListEditorPanel::tick() {
  for (MoveButton* button : moveButtons_) button->tick();
}

}  // namespace tamberlin
