#include "editors/contacts/database_panel.h"

#include <QAction>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "codeplug/c_codeplug.h"
#include "databases/country_list.h"
#include "databases/database_csv.h"
#include "databases/fetch.h"
#include "editors/contacts/add_to_contacts.h"
#include "editors/contacts/database_panel_model.h"
#include "ui/file_dialog.h"
#include "ui/list_table_model.h"
#include "ui/list_view.h"
#include "ui/wide_combo_box.h"

namespace tamberlin {

namespace {
constexpr int kSearchWaitTicks = 2;

QString fromRecordText(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

// The status label and progress bar, told on the window's thread.
class DatabasePanel::Progress final : public DatabaseProgress {
 public:
  Progress(QLabel* label, QProgressBar* bar) : label_(label), bar_(bar) {}
  void status(std::string_view text) override { label_->setText(fromRecordText(text)); }
  void setRange(int maximum) override {
    bar_->setRange(0, std::max(maximum, 0));
    bar_->setValue(0);
    bar_->show();
  }
  void setPosition(int value) override { bar_->setValue(value); }
  void hide() override { bar_->hide(); }

 private:
  QLabel* label_;
  QProgressBar* bar_;
};

// The same, told from the worker: every call is passed to the window's thread.
class DatabasePanel::QueuedProgress final : public DatabaseProgress {
 public:
  QueuedProgress(const BackgroundJob& job, Progress& shown) : job_(job), shown_(shown) {}
  void status(std::string_view text) override {
    job_.post([&shown = shown_, text = std::string(text)] { shown.status(text); });
  }
  void setRange(int maximum) override {
    job_.post([&shown = shown_, maximum] { shown.setRange(maximum); });
  }
  void setPosition(int value) override {
    job_.post([&shown = shown_, value] { shown.setPosition(value); });
  }
  void hide() override {
    job_.post([&shown = shown_] { shown.hide(); });
  }

 private:
  const BackgroundJob& job_;
  Progress& shown_;
};

// A fetch's notifications, shown in the status label as they arrive.
class DatabasePanel::QueuedFetchObserver final : public FetchObserver {
 public:
  explicit QueuedFetchObserver(DatabasePanel& panel) : panel_(panel) {}
  void fetchProgress(int, int64_t received) override {
    panel_.job_.post([&panel = panel_, received] {
      panel.status_->setText(QString::fromStdString(panel.downloader_.progressText(received)));
    });
  }
  void fetchEnd(int, int) override {
    panel_.job_.post([&panel = panel_] { panel.status_->clear(); });
  }

 private:
  DatabasePanel& panel_;
};

DatabasePanel::DatabasePanel(CCommon& common, Prompt& prompt, const DatabaseServices& services,
                             ContactList contacts, QWidget* parent)
    : QWidget(parent),
      prompt_(prompt),
      services_(services),
      contacts_(std::move(contacts)),
      folder_(common, services.dataDirectory),
      job_(this) {
  setObjectName("DatabasePanel");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  title_ = new QLabel(this);
  title_->setObjectName("DatabaseTitleLabel");
  layout->addWidget(title_);

  auto* sourceRow = new QHBoxLayout;
  databaseButton_ = new QToolButton(this);
  databaseButton_->setObjectName("DatabaseSpeedButton");
  databaseButton_->setText("Database");
  lastHeardButton_ = new QToolButton(this);
  lastHeardButton_->setObjectName("LastHeardSpeedButton");
  lastHeardButton_->setText("Last Heard");
  auto* sources = new QButtonGroup(this);
  for (QToolButton* button : {databaseButton_, lastHeardButton_}) {
    button->setCheckable(true);
    sources->addButton(button);
    sourceRow->addWidget(button);
  }
  sources->setExclusive(true);
  databaseButton_->setChecked(true);
  auto* countryLabel = new QLabel("Country", this);
  country_ = new WideComboBox(this);
  country_->setObjectName("CountryFilterComboBox");
  country_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  country_->setMinimumContentsLength(16);
  country_->addItem("All ");
  countryLabel->setBuddy(country_);
  sourceRow->addSpacing(12);
  sourceRow->addWidget(countryLabel);
  sourceRow->addWidget(country_, 1);
  layout->addLayout(sourceRow);

  auto* searchRow = new QHBoxLayout;
  search_ = new QLineEdit(this);
  search_->setObjectName("SearchBox2");
  search_->setPlaceholderText("Search ID, call sign, name or country");
  search_->setClearButtonEnabled(true);
  searchButton_ = new QPushButton("Search", this);
  searchButton_->setObjectName("SearchButton2");
  searchRow->addWidget(search_, 1);
  searchRow->addWidget(searchButton_);
  layout->addLayout(searchRow);

  list_ = new ListView(this);
  list_->setObjectName("DatabaseListView");
  QStringList headers;
  for (const char* title : kDatabaseColumnTitles) headers << title;
  model_ = new ListTableModel(
      headers, [this] { return static_cast<int>(view_.size()); },
      [this](int row, int column) -> QString {
        if (row < 0 || static_cast<size_t>(row) >= view_.size()) return {};
        return fromRecordText(
            databaseCellText(view_.row(static_cast<size_t>(row)), static_cast<DatabaseColumn>(column)));
      },
      this);
  list_->setModel(model_);
  QHeaderView* header = list_->horizontalHeader();
  const QFontMetrics metrics = fontMetrics();
  header->resizeSection(static_cast<int>(DatabaseColumn::DmrId), metrics.horizontalAdvance("00000000") + 16);
  header->resizeSection(static_cast<int>(DatabaseColumn::Callsign), metrics.horizontalAdvance("WW0WWW") + 16);
  header->resizeSection(static_cast<int>(DatabaseColumn::Name),
                        metrics.horizontalAdvance("Wilhelmina Sm") + 16);
  header->resizeSection(static_cast<int>(DatabaseColumn::City),
                        metrics.horizontalAdvance("Southampton") + 12);
  header->resizeSection(static_cast<int>(DatabaseColumn::State), metrics.horizontalAdvance("Bavaria") + 12);
  layout->addWidget(list_, 1);

  auto* statusRow = new QHBoxLayout;
  status_ = new QLabel(this);
  status_->setObjectName("StatusLabel");
  status_->setMinimumWidth(1);
  progressBar_ = new QProgressBar(this);
  progressBar_->setObjectName("ProgressBar");
  progressBar_->setMaximumWidth(160);
  progressBar_->setTextVisible(false);
  progressBar_->hide();
  statusRow->addWidget(status_, 1);
  statusRow->addWidget(progressBar_);
  layout->addLayout(statusRow);

  auto* buttons = new QGridLayout;
  const auto button = [this](const char* name, const char* text, const char* hint) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    if (hint) b->setToolTip(hint);
    return b;
  };
  addToContacts_ =
      button("AddToContactsBitBtn", "<< Add to contacts", "Add the selected entries to the contacts ");
  delete_ = button("Delete2BitBtn", "Delete", "Delete the selected entries from the database ");
  import_ = button("ImportDatabaseButton", "Import", "Import a database from a .csv file ");
  downloadHttps_ =
      button("DownloadDatabaseBitBtn1", "Download (HTTPS)", "Download DMR ID database (using HTTPS) ");
  downloadHttp_ =
      button("DownloadDatabaseBitBtn2", "Download (HTTP)", "Download DMR ID database (using HTTP) ");
  downloadLastHeard_ = button("DownloadLastHeardDatabaseBitBtn", "Download Last Heard",
                              "Downloads a DMR radio ham last heard list ");
  buttons->addWidget(addToContacts_, 0, 0);
  buttons->addWidget(delete_, 0, 1);
  buttons->addWidget(import_, 0, 2);
  buttons->addWidget(downloadHttps_, 1, 0);
  buttons->addWidget(downloadHttp_, 1, 1);
  buttons->addWidget(downloadLastHeard_, 1, 2);
  layout->addLayout(buttons);

  menu_ = new QMenu(this);
  deleteItem_ = menu_->addAction("Delete");
  unselectAllItem_ = menu_->addAction("Unselect All");
  selectAllItem_ = menu_->addAction("Select All");
  menu_->addSeparator();
  clearItem_ = menu_->addAction("Clear");
  connect(deleteItem_, &QAction::triggered, this, &DatabasePanel::deleteSelected);
  connect(unselectAllItem_, &QAction::triggered, list_, &QAbstractItemView::clearSelection);
  connect(clearItem_, &QAction::triggered, this, &DatabasePanel::clearShown);
  connect(menu_, &QMenu::aboutToShow, this, &DatabasePanel::updateMenu);

  progress_ = std::make_unique<Progress>(status_, progressBar_);

  connect(databaseButton_, &QToolButton::clicked, this, [this] { setSource(DatabaseSource::Database); });
  connect(lastHeardButton_, &QToolButton::clicked, this, [this] { setSource(DatabaseSource::LastHeard); });
  connect(country_, &QComboBox::activated, this, [this] { rebuildView(false); });
  connect(search_, &QLineEdit::textEdited, this, [this] { searchWait_ = kSearchWaitTicks; });
  connect(search_, &QLineEdit::returnPressed, this, [this] {
    search();
    list_->setFocus();
  });
  connect(searchButton_, &QPushButton::clicked, this, &DatabasePanel::search);
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    updateTitle();
    refreshEnabling();
  });
  connect(list_, &ListView::deleteRequested, this, &DatabasePanel::deleteSelected);
  connect(list_, &ListView::menuRequested, this, [this](const QPoint& at) { menu_->popup(at); });
  connect(list_, &QAbstractItemView::doubleClicked, this, &DatabasePanel::addSelectedToContacts);
  connect(addToContacts_, &QPushButton::clicked, this, &DatabasePanel::addSelectedToContacts);
  connect(delete_, &QPushButton::clicked, this, &DatabasePanel::deleteSelected);
  connect(import_, &QPushButton::clicked, this, &DatabasePanel::importFile);
  connect(downloadHttps_, &QPushButton::clicked, this, [this] { downloadUserDatabase(true); });
  connect(downloadHttp_, &QPushButton::clicked, this, [this] { downloadUserDatabase(false); });
  connect(downloadLastHeard_, &QPushButton::clicked, this, &DatabasePanel::downloadLastHeard);

  timer_.setInterval(1000);
  connect(&timer_, &QTimer::timeout, this, &DatabasePanel::tick);
  timer_.start();
  updateTitle();
  refreshEnabling();
  // The files are read once the window stands, so start-up is not held up.
  QMetaObject::invokeMethod(this, &DatabasePanel::loadFiles, Qt::QueuedConnection);
}

DatabasePanel::~DatabasePanel() = default;

// A choice still waiting for the country list counts as the choice.
QString DatabasePanel::countryFilter() const { return wantedCountry_.value_or(country_->currentText()); }

void DatabasePanel::setCountryFilter(const QString& country) {
  // Remembered for when the country list is built; selected now if it is there.
  wantedCountry_ = country;
  std::vector<std::string> choices;
  for (int i = 0; i < country_->count(); ++i) choices.push_back(country_->itemText(i).toStdString());
  const int index = static_cast<int>(countryFilterSelection(choices, country.toStdString()));
  if (index > 0 && index != country_->currentIndex()) {
    country_->setCurrentIndex(index);
    if (!busy()) rebuildView(false);
  }
}

void DatabasePanel::loadFiles() {
  if (busy()) return;
  folder_.load(*progress_);
  fillCountryChoices();
  rebuildView(false);
}

void DatabasePanel::fillCountryChoices() {
  const QString remembered = countryFilter();
  wantedCountry_.reset();
  const std::vector<std::string> choices = countryFilterChoices(folder_.database().countries());
  QStringList items;
  items.reserve(static_cast<qsizetype>(choices.size()));
  for (const std::string& choice : choices) items << fromRecordText(choice);
  const QSignalBlocker quiet(country_);
  country_->clear();
  country_->addItems(items);
  country_->setCurrentIndex(static_cast<int>(countryFilterSelection(choices, remembered.toStdString())));
}

void DatabasePanel::setSource(DatabaseSource source) {
  source_ = source;
  databaseButton_->setChecked(source == DatabaseSource::Database);
  lastHeardButton_->setChecked(source == DatabaseSource::LastHeard);
  rebuildView(false);
}

void DatabasePanel::rebuildView(bool keepTop) {
  const int top = list_->topRow();
  const SharedRecords records =
      source_ == DatabaseSource::Database ? folder_.database().records() : folder_.lastHeard().records();
  view_ = buildDatabaseView(source_, records, country_->currentText().toStdString(),
                            search_->text().toStdString(), *progress_);
  progress_->hide();
  list_->clearSelection();
  model_->refresh();
  if (keepTop) {
    list_->scrollToTop(std::min(top, model_->rowCount() - 1));
  } else {
    list_->scrollToTop(0);
  }
  updateTitle();
  refreshEnabling();
}

void DatabasePanel::updateTitle() {
  title_->setText(QString::fromStdString(databaseViewTitle(source_, view_.size(), selectedCount())));
}

size_t DatabasePanel::selectedCount() const {
  return list_->selectionModel() ? static_cast<size_t>(list_->selectionModel()->selectedRows().size()) : 0;
}

std::vector<size_t> DatabasePanel::selectedRows() const {
  std::vector<size_t> rows;
  for (const int row : list_->selectedRows()) rows.push_back(static_cast<size_t>(row));
  return rows;
}

DatabasePanelState DatabasePanel::currentState() const {
  c_codeplug* slot = contacts_.slot();
  DatabasePanelInput input;
  input.hasCodeplug = slot != nullptr;
  input.freeContacts = slot ? freeContactRecords(*slot) : 0;
  input.selectedRows = selectedCount();
  input.source = source_;
  input.shownListSize = view_.records->size();
  input.busy = busy();
  return databasePanelState(input);
}

void DatabasePanel::refreshEnabling() {
  const DatabasePanelState state = currentState();
  addToContacts_->setEnabled(state.addToContacts);
  delete_->setEnabled(state.deleteButton);
  import_->setEnabled(state.import);
  for (QWidget* browsing :
       std::initializer_list<QWidget*>{databaseButton_, lastHeardButton_, country_, search_, searchButton_}) {
    browsing->setEnabled(state.browse);
  }
  const bool downloads = downloader_.countdown().buttonsEnabled() && !busy();
  for (QPushButton* download : {downloadHttps_, downloadHttp_, downloadLastHeard_})
    download->setEnabled(downloads);
}

void DatabasePanel::updateMenu() {
  const DatabasePanelState state = currentState();
  deleteItem_->setEnabled(state.deleteItem);
  unselectAllItem_->setEnabled(state.unselectAllItem);
  selectAllItem_->setEnabled(state.selectAllItem);
  clearItem_->setEnabled(state.clearItem);
}

void DatabasePanel::tick() {
  if (searchWait_ > 0 && --searchWait_ == 0) search();
  if (downloader_.countdown().tick()) refreshEnabling();
}

void DatabasePanel::search() {
  searchWait_ = 0;
  if (!busy()) rebuildView(false);
}

void DatabasePanel::deleteSelected() {
  const std::vector<size_t> rows = selectedRows();
  if (busy() || rows.empty()) return;
  if (source_ == DatabaseSource::Database) {
    if (folder_.database().deleteSelected(view_, rows, *progress_)) fillCountryChoices();
  } else if (folder_.lastHeard().deleteSelected(view_, rows, *progress_)) {
    folder_.database().rebuildCountryList(*progress_);
    fillCountryChoices();
  }
  rebuildView(true);
}

void DatabasePanel::clearShown() {
  if (busy()) return;
  if (source_ == DatabaseSource::Database) {
    folder_.database().clear();
  } else {
    folder_.lastHeard().clear(*progress_);
    progress_->status("");
  }
  rebuildView(false);
}

void DatabasePanel::addSelectedToContacts() {
  c_codeplug* slot = contacts_.slot();
  const std::vector<size_t> rows = selectedRows();
  if (busy() || !slot || rows.empty()) return;
  std::vector<DatabaseEntryView> entries;
  entries.reserve(rows.size());
  for (const size_t row : rows) entries.push_back(view_.row(row));
  addToContacts(*slot, entries, *progress_);
  contacts_.reloadKeepingTop();
  refreshEnabling();
}

void DatabasePanel::downloadUserDatabase(bool https) {
  startDownload(userDatabaseSource(services_.servers, https), kUserDatabaseKind);
}

void DatabasePanel::downloadLastHeard() {
  startDownload(lastHeardSource(services_.servers, 0), kLastHeardKind);
}

void DatabasePanel::startDownload(const DownloadSource& source, int kind) {
  if (busy()) return;
  Downloader::Job job;
  if (downloader_.start(source.url, job) != 0) {
    refreshEnabling();
    return;
  }
  status_->setText(QString::fromStdString(downloader_.startText()));
  const Downloader::Target target{services_.dataDirectory, source.fileName, {}};
  const DatabaseSource showAfter =
      kind == kLastHeardKind ? DatabaseSource::LastHeard : DatabaseSource::Database;
  auto result = std::make_shared<FetchResult>();
  auto observer = std::make_shared<QueuedFetchObserver>(*this);
  job_.run(
      [this, job, result, observer] {
        *result = fetchUrl(services_.http, services_.clock, job.request, job.url, *observer,
                           job_.cancelRequested());
      },
      [this, result, target, kind, showAfter] {
        const int code = downloader_.finish(*result, target, prompt_);
        status_->clear();
        progressBar_->hide();
        if (code == 0) {
          auto body = std::make_shared<std::vector<uint8_t>>(std::move(result->body));
          parseInBackground(
              [kind, body](DatabaseLists lists, DatabaseProgress& progress) {
                return parseDatabase(kind, *body, lists, progress);
              },
              [this, showAfter](int parsed) { afterParse(parsed, showAfter); });
        } else {
          refreshEnabling();
        }
      });
  refreshEnabling();
}

void DatabasePanel::parseInBackground(std::function<int(DatabaseLists, DatabaseProgress&)> parse,
                                      std::function<void(int)> done) {
  auto outcome = std::make_shared<int>(0);
  auto queued = std::make_shared<QueuedProgress>(job_, *progress_);
  job_.run([this, parse = std::move(parse), outcome, queued] { *outcome = parse(folder_.lists(), *queued); },
           [outcome, done = std::move(done)] { done(*outcome); });
  refreshEnabling();
}

void DatabasePanel::afterParse(int result, std::optional<DatabaseSource> showAfter) {
  fillCountryChoices();
  // A last-heard list that could not be saved leaves the view as it was.
  if (result == -6) {
    refreshEnabling();
    return;
  }
  if (result == 0 && showAfter) {
    setSource(*showAfter);
  } else {
    rebuildView(false);
  }
}

void DatabasePanel::importFile() {
  if (busy()) return;
  const std::optional<QString> chosen =
      services_.fileDialog.openFile({"Import a database",
                                     QDir::homePath(),
                                     {},
                                     "Text files (*.txt);;CSV files (*.csv);;All files (*.*)",
                                     {}});
  if (!chosen) return;
  const std::string path = chosen->toStdString();
  parseInBackground([path](DatabaseLists lists,
                           DatabaseProgress& progress) { return importDatabase(path, lists, progress); },
                    [this](int parsed) {
                      afterParse(parsed, std::nullopt);
                      contacts_.reloadKeepingTop();
                    });
}

void DatabasePanel::waitForJob() {
  while (busy()) {
    job_.wait();
    QCoreApplication::sendPostedEvents(this);
  }
}

}  // namespace tamberlin
