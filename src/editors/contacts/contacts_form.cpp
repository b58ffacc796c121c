#include "editors/contacts/contacts_form.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "codeplug/c_codeplug.h"
#include "codeplug/ccommon.h"
#include "editors/contacts/database_panel.h"
#include "ui/clipboard_mime.h"
#include "ui/digits_delegate.h"
#include "ui/list_buttons.h"
#include "ui/list_editor_controller.h"
#include "ui/list_popup_menu.h"
#include "ui/list_table_model.h"
#include "ui/list_view.h"
#include "ui/lock_window.h"
#include "ui/name_delegate.h"
#include "ui/qt_text.h"

namespace tamberlin {

namespace {
constexpr int kNameColumn = static_cast<int>(ContactColumn::Name);
constexpr int kIdColumn = static_cast<int>(ContactColumn::DmrId);
constexpr int kTypeColumn = static_cast<int>(ContactColumn::Type);
constexpr int kRxToneColumn = static_cast<int>(ContactColumn::RxTone);
constexpr int kSearchWaitTicks = 2;
constexpr int kIdDigits = 8;
// The title without a codeplug names the larger family's capacity.
constexpr int kLargestCapacity = 10000;
}  // namespace

TDigitalContactsForm::TDigitalContactsForm(EditorContext context, QWidget* parent)
    : EditorForm(context, parent) {
  setObjectName("TDigitalContactsForm");
  auto* layout = new QHBoxLayout(this);
  auto* listSide = listSide_ = new QWidget(this);
  listSide->setObjectName("ContactListPanel");
  auto* listLayout = new QVBoxLayout(listSide);
  listLayout->setContentsMargins(0, 0, 0, 0);
  title_ = new QLabel(listSide);
  title_->setObjectName("TitleLabel");
  listLayout->addWidget(title_);
  auto* searchRow = new QHBoxLayout;
  search_ = new QLineEdit(listSide);
  search_->setObjectName("SearchBox1");
  search_->setPlaceholderText("Search contacts");
  search_->setClearButtonEnabled(true);
  search_->installEventFilter(this);
  searchButton_ = new QPushButton("Search", listSide);
  searchButton_->setObjectName("SearchButton");
  searchRow->addWidget(search_, 1);
  searchRow->addWidget(searchButton_);
  listLayout->addLayout(searchRow);

  list_ = new ListView(listSide);
  list_->setObjectName("ListView");
  model_ = new ListTableModel(
      {"No.", "Name", "DMR ID", "Type", "Rx Tone"}, [this] { return controller_ ? controller_->used() : 0; },
      [this](int row, int column) -> QString {
        c_codeplug* s = slot();
        return s ? toQString(contactCellText(*s, row, static_cast<ContactColumn>(column))) : QString();
      },
      this);
  list_->setModel(model_);
  model_->setEditable(kNameColumn, [this](int row, int, const QVariant& text) {
    const auto s = controller_->section();
    return s && ListEngine(*slot(), *s).rename(row, text.toString().toStdU16String());
  });
  model_->setEditable(kIdColumn, [this](int row, int, const QVariant& text) {
    c_codeplug* s = slot();
    return s && writeContactIdText(*s, row, text.toString().toStdU16String());
  });
  list_->setCellDelegate(kNameColumn, new NameDelegate(u"|\"", list_));
  list_->setCellDelegate(kIdColumn, new DigitsDelegate(kIdDigits, list_));
  QHeaderView* header = list_->horizontalHeader();
  header->resizeSection(0, fontMetrics().horizontalAdvance("00000") + 12);
  header->resizeSection(kNameColumn, fontMetrics().horizontalAdvance("WWWWWWWWWWWW") + 12);
  header->resizeSection(kIdColumn, fontMetrics().horizontalAdvance("00000000") + 16);
  header->resizeSection(kTypeColumn, fontMetrics().horizontalAdvance("Displatch call") + 16);
  listLayout->addWidget(list_, 1);

  controller_ = new ListEditorController(
      list_, model_, prompt(), [this] { return slot(); },
      [](const c_codeplug& s) { return contactListSection(s); }, this);
  controller_->setStopDeleteOnDecline(true);
  controller_->setDropClipboardOnFailedPaste(true);
  controller_->setInserter([](c_codeplug& s, int position) { return insertContact(s, position); });

  buttons_ = new ListButtons(listSide, controller_);
  import_ = new QPushButton("Import", listSide);
  import_->setObjectName("ImportButton");
  export_ = new QPushButton("Export", listSide);
  export_->setObjectName("ExportButton");
  buttons_->addWidget(import_, 2, 0);
  buttons_->addWidget(export_, 2, 1);
  listLayout->addLayout(buttons_);

  layout->addWidget(listSide, 1);
  if (const DatabaseServices* services = databaseServices()) {
    database_ = new DatabasePanel(common(), prompt(), *services,
                                  {[this] { return slot(); }, [this] { reloadKeepingTop(); }}, this);
    layout->addWidget(database_, 1);
  } else {
    layout->addStretch(1);
  }

  ListPopupMenu* menu = controller_->menu();
  menu->addItem->setText("&Add");
  menu->addSeparator();
  moveUpItem_ = menu->addAction("Move Selected Up");
  moveDownItem_ = menu->addAction("Move Selected Down");
  connect(moveUpItem_, &QAction::triggered, this, [this] { controller_->move(1); });
  connect(moveDownItem_, &QAction::triggered, this, [this] { controller_->move(-1); });
  menu->addSeparator();
  const std::pair<const char*, int> callTypes[] = {
      {"Set Selected to Group Call", kGroupCall},
      {"Set Selected to Private Call", kPrivateCall},
      {"Set Selected to All Call", kAllCall},
  };
  for (const auto& [text, type] : callTypes) {
    QAction* item = menu->addAction(text);
    connect(item, &QAction::triggered, this, [this, type = type] {
      setSelected(
          [type](c_codeplug& s, const std::vector<int>& rows) { setContactsCallType(s, rows, type); });
    });
    setItems_.push_back(item);
  }
  menu->addSeparator();
  for (const bool on : {false, true}) {
    QAction* item = menu->addAction(on ? "Set Selected to Rx Tone" : "Set Selected to No Rx Tone");
    connect(item, &QAction::triggered, this, [this, on] {
      setSelected([on](c_codeplug& s, const std::vector<int>& rows) { setContactsRxTone(s, rows, on); });
    });
    setItems_.push_back(item);
  }
  connect(menu, &QMenu::aboutToShow, this, &TDigitalContactsForm::updateMenu);

  connect(controller_, &ListEditorController::listChanged, this, &TDigitalContactsForm::reloaded);
  connect(controller_, &ListEditorController::selectionReplaced, this,
          &TDigitalContactsForm::selectionChanged);
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &TDigitalContactsForm::selectionChanged);
  connect(list_, &QAbstractItemView::doubleClicked, this, &TDigitalContactsForm::cellDoubleClicked);
  connect(search_, &QLineEdit::textEdited, this, [this] { searchWait_ = kSearchWaitTicks; });
  connect(search_, &QLineEdit::returnPressed, this, [this] {
    search();
    list_->setFocus();
  });
  connect(searchButton_, &QPushButton::clicked, this, &TDigitalContactsForm::search);

  moveTimer_.setInterval(25);
  connect(&moveTimer_, &QTimer::timeout, this, [this] { buttons_->tick(); });
  moveTimer_.start();
  searchTimer_.setInterval(1000);
  connect(&searchTimer_, &QTimer::timeout, this, &TDigitalContactsForm::searchTick);
  searchTimer_.start();
  refreshAll();
}

// Copied contacts do not outlive the window they were copied from.
TDigitalContactsForm::~TDigitalContactsForm() { removeClipboardBlock(kContactClipboardFormat); }

c_codeplug* TDigitalContactsForm::slot() const {
  c_codeplug* s = common().selected();
  return s && s->holdsCodeplug() ? s : nullptr;
}

void TDigitalContactsForm::refreshAll() {
  const LockWindow lock(this);
  list_->clearSelection();
  model_->refresh();
  // The database side works without a codeplug.
  listSide_->setEnabled(slot() != nullptr);
  applyState(ContactsRefresh::Reload);
}

void TDigitalContactsForm::refreshShown() { refreshAll(); }

// Without the database side the remembered choice is only kept.
QString TDigitalContactsForm::countryFilter() const {
  return database_ ? database_->countryFilter() : keptCountry_;
}

void TDigitalContactsForm::setCountryFilter(const QString& country) {
  keptCountry_ = country;
  if (database_) database_->setCountryFilter(country);
}

void TDigitalContactsForm::reloadKeepingTop() {
  const int top = list_->topRow();
  list_->clearSelection();
  controller_->refreshKeeping(top);
  reloaded();
}

int TDigitalContactsForm::addContact(int position, std::span<const uint8_t> source, bool refreshAndSelect) {
  const auto inserter = [source](c_codeplug& s, int p) { return insertContact(s, p, source); };
  if (refreshAndSelect) return controller_->addWith(position, inserter);
  c_codeplug* s = slot();
  const int index = s ? inserter(*s, position) : -1;
  if (index == -2) applyState(ContactsRefresh::Reload);
  return index;
}

// After a reload the selection is empty; whatever is selected by then was
// chosen afterwards and shows as a change of selection.
void TDigitalContactsForm::reloaded() {
  applyState(ContactsRefresh::Reload);
  if (!list_->selectedRows().empty()) applyState(ContactsRefresh::Selection);
}

void TDigitalContactsForm::selectionChanged() { applyState(ContactsRefresh::Selection); }

void TDigitalContactsForm::applyState(ContactsRefresh when) {
  const c_codeplug* s = slot();
  const std::vector<int> rows = list_->selectedRows();
  const int used = controller_->used();
  const int capacity = s ? controller_->capacity() : kLargestCapacity;
  title_->setText(QString::fromStdString(
      contactsTitle(when, s != nullptr, used, capacity, static_cast<int>(rows.size()))));
  const ContactsControlState state = contactsControlState(when, s != nullptr, used, capacity, rows);
  buttons_->add->setEnabled(state.add);
  buttons_->insert->setEnabled(state.add);
  buttons_->remove->setEnabled(state.remove);
  buttons_->setMoveEnabled(state.moveUp, state.moveDown);
  // Contact files are exchanged by a later part of the program.
  import_->setEnabled(false);
  export_->setEnabled(false);
  // Adding to contacts needs a codeplug with a free contact record.
  if (database_) database_->refreshEnabling();
}

void TDigitalContactsForm::updateMenu() {
  const c_codeplug* s = slot();
  const ContactsControlState state =
      contactsControlState(ContactsRefresh::Selection, s != nullptr, controller_->used(),
                           controller_->capacity(), list_->selectedRows());
  moveUpItem_->setEnabled(state.moveItems);
  moveDownItem_->setEnabled(state.moveItems);
  for (QAction* item : setItems_) item->setEnabled(state.setItems);
}

void TDigitalContactsForm::setSelected(
    const std::function<void(c_codeplug&, const std::vector<int>&)>& write) {
  c_codeplug* s = slot();
  const std::vector<int> rows = list_->selectedRows();
  if (!s || rows.empty()) return;
  write(*s, rows);
  model_->rowsChanged();
}

void TDigitalContactsForm::cellDoubleClicked(const QModelIndex& index) {
  c_codeplug* s = slot();
  if (!s || !index.isValid()) return;
  if (index.column() == kTypeColumn) {
    cycleContactCallType(*s, index.row());
  } else if (index.column() == kRxToneColumn) {
    toggleContactRxTone(*s, index.row());
  } else {
    return;
  }
  emit model_->dataChanged(model_->index(index.row(), 0),
                           model_->index(index.row(), kContactColumnCount - 1));
}

void TDigitalContactsForm::searchTick() {
  if (searchWait_ > 0 && --searchWait_ == 0) search();
}

void TDigitalContactsForm::search() {
  searchWait_ = 0;
  c_codeplug* s = slot();
  const std::vector<int> rows =
      s ? contactSearchMatches(*s, search_->text().toStdU16String()) : std::vector<int>{};
  list_->selectRows(rows);
  if (rows.empty()) {
    list_->clearSelection();
    return;
  }
  list_->scrollToTop(contactSearchTopRow(rows.front()));
}

bool TDigitalContactsForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == search_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    return true;
  }
  return EditorForm::eventFilter(watched, event);
}

}  // namespace tamberlin
