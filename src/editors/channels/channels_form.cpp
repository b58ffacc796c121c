#include "editors/channels/channels_form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

#include "codeplug/c_codeplug.h"
#include "codeplug/ccommon.h"
#include "codeplug/text_field.h"
#include "editors/channels/channel_fields_panel.h"
#include "editors/channels/channels_model.h"
#include "support/unicode.h"
#include "ui/list_buttons.h"
#include "ui/list_editor_controller.h"
#include "ui/list_table_model.h"
#include "ui/list_view.h"
#include "ui/lock_window.h"
#include "ui/name_delegate.h"
#include "ui/qt_text.h"

namespace tamberlin {

namespace {
constexpr int kNumberColumn = 1;
constexpr int kNameColumn = 2;
constexpr int kSearchWaitTicks = 41;
}  // namespace

TChannelsForm::TChannelsForm(EditorContext context, QWidget* parent) : EditorForm(context, parent) {
  setObjectName("TChannelsForm");
  auto* layout = new QHBoxLayout(this);
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  layout->addWidget(splitter);

  auto* listSide = new QWidget(splitter);
  auto* listLayout = new QVBoxLayout(listSide);
  listLayout->setContentsMargins(0, 0, 0, 0);
  title_ = new QLabel(listSide);
  title_->setObjectName("TitleLabel");
  search_ = new QLineEdit(listSide);
  search_->setObjectName("SearchEdit");
  search_->setPlaceholderText("Filter channel list");
  search_->setToolTip("Filter channel list");
  search_->setClearButtonEnabled(true);
  listLayout->addWidget(title_);
  listLayout->addWidget(search_);

  list_ = new ListView(listSide);
  list_->setObjectName("ListView");
  model_ = new ListTableModel(
      {"", "Chan", "Name"}, [this] { return controller_ ? controller_->used() : 0; },
      [this](int row, int column) -> QString {
        const c_codeplug* s = slot();
        if (!s || column == 0) return {};
        const std::u16string name = channelName(*s, row);
        if (column == kNumberColumn) return QString::fromStdString(channelNumberCell(row + 1, name, searchKey_));
        return toQString(name);
      },
      this);
  list_->setModel(model_);
  model_->setEditable(kNameColumn, [this](int row, int, const QVariant& text) {
    const auto s = controller_->section();
    if (!s) return false;
    return ListEngine(*slot(), *s).rename(row, text.toString().toStdU16String());
  });
  list_->setCellDelegate(kNameColumn, new NameDelegate(u"\"|", list_));
  list_->horizontalHeader()->resizeSection(0, 8);
  list_->horizontalHeader()->resizeSection(kNumberColumn, fontMetrics().horizontalAdvance("*00000") + 16);
  listLayout->addWidget(list_, 1);

  controller_ = new ListEditorController(
      list_, model_, prompt(), [this] { return slot(); },
      [](const c_codeplug& s) { return channelListSection(s); }, this);
  controller_->setStopDeleteOnDecline(true);

  buttons_ = new ListButtons(listSide, controller_);
  import_ = new QPushButton("Import", listSide);
  import_->setObjectName("ImportBitBtn");
  export_ = new QPushButton("Export", listSide);
  export_->setObjectName("ExportBitBtn");
  // Channel CSV exchange is not built yet.
  import_->setEnabled(false);
  export_->setEnabled(false);
  buttons_->addWidget(import_, 2, 0);
  buttons_->addWidget(export_, 2, 1);
  listLayout->addLayout(buttons_);

  auto* scroll = new QScrollArea(splitter);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  fields_ = new ChannelFieldsPanel(scroll);
  fields_->setRecordSource([this] {
    std::vector<std::span<uint8_t>> records;
    if (c_codeplug* s = slot()) {
      for (int row : list_->selectedRows()) records.push_back(s->channel(row));
    }
    return records;
  });
  scroll->setWidget(fields_);
  splitter->addWidget(listSide);
  splitter->addWidget(scroll);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({300, 700});

  connect(controller_, &ListEditorController::listChanged, this, &TChannelsForm::selectionChanged);
  connect(controller_, &ListEditorController::selectionReplaced, this, &TChannelsForm::selectionChanged);
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TChannelsForm::selectionChanged);
  connect(model_, &QAbstractItemModel::modelReset, this, [this] {
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TChannelsForm::selectionChanged,
            Qt::UniqueConnection);
  });
  connect(fields_, &ChannelFieldsPanel::recordsWritten, this, [this] { model_->rowsChanged(); });
  connect(search_, &QLineEdit::textEdited, this, [this] { searchWait_ = kSearchWaitTicks; });

  timer_.setInterval(25);
  connect(&timer_, &QTimer::timeout, this, &TChannelsForm::tick);
  timer_.start();
  refreshAll();
}

c_codeplug* TChannelsForm::slot() const {
  c_codeplug* s = common().selected();
  return s && s->holdsCodeplug() ? s : nullptr;
}

void TChannelsForm::tick() {
  buttons_->tick();
  if (searchWait_ > 0 && --searchWait_ == 0) search();
}

void TChannelsForm::refreshAll() {
  const LockWindow lock(this);
  fields_->setSlot(slot());
  fields_->rebuildNameLists();
  list_->clearSelection();
  model_->refresh();
  setEnabled(slot() != nullptr);
  import_->setEnabled(false);
  export_->setEnabled(false);
  selectionChanged();
}

void TChannelsForm::refreshShown() {
  const LockWindow lock(this);
  fields_->setSlot(slot());
  fields_->rebuildNameLists();
  model_->refresh();
  selectionChanged();
}

void TChannelsForm::selectionChanged() {
  fields_->showRecords();
  updateCounterAndButtons();
}

void TChannelsForm::updateCounterAndButtons() {
  const auto section = controller_->section();
  const std::vector<int> rows = list_->selectedRows();
  const int used = controller_->used();
  ListSection shown = section.value_or(ListSection{});
  if (!section) {
    shown.counterText = "Channels  used ";
    shown.upToText = "Channels .. up to ";
    shown.layout.capacity = 3000;
  }
  title_->setText(QString::fromStdString(
      listCounterText(shown, section.has_value(), used, static_cast<int>(rows.size()))));
  const bool room = section && used < controller_->capacity();
  buttons_->add->setEnabled(room);
  buttons_->insert->setEnabled(room);
  buttons_->remove->setEnabled(!rows.empty());
  const bool first = !rows.empty() && rows.front() == 0;
  const bool last = !rows.empty() && rows.back() == used - 1;
  buttons_->setMoveEnabled(!rows.empty() && !first, !rows.empty() && !last);
}

void TChannelsForm::search() {
  searchWait_ = 0;
  searchKey_ = channelSearchKey(search_->text().toStdU16String());
  const c_codeplug* s = slot();
  const std::vector<int> rows = s ? channelSearchMatches(*s, searchKey_) : std::vector<int>{};
  list_->selectRows(rows);
  model_->rowsChanged();
  if (!rows.empty()) {
    const int top = list_->topRow();
    if (rows.front() < top || rows.front() >= top + list_->visibleRows()) list_->scrollToTop(rows.front());
  }
}

}  // namespace tamberlin
