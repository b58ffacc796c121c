#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "databases/database_folder.h"
#include "databases/database_view.h"
#include "databases/download_sources.h"
#include "databases/downloader.h"
#include "editors/contacts/database_panel_model.h"
#include "ui/background_job.h"
#include "ui/database_services.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace tamberlin {

class CCommon;
class ListTableModel;
class ListView;
class Prompt;
class c_codeplug;

// The right half of the contacts window: browses the DMR user database and
// the last-heard list (source buttons, country filter, search), downloads and
// imports them, deletes entries and turns selected entries into contacts.
// Downloads and parses run on a worker thread; while one runs the lists are
// left alone and only the progress changes.
class DatabasePanel : public QWidget {
  Q_OBJECT

 public:
  // How the panel reaches the contact list beside it.
  struct ContactList {
    std::function<c_codeplug*()> slot;       // the selected slot with a codeplug, or nullptr
    std::function<void()> reloadKeepingTop;  // after contacts were added
  };

  DatabasePanel(CCommon& common, Prompt& prompt, const DatabaseServices& services, ContactList contacts,
                QWidget* parent);
  ~DatabasePanel() override;

  // The country filter text with its trailing blank; selecting one that the
  // country list does not hold (yet) keeps it until the list is built.
  QString countryFilter() const;
  void setCountryFilter(const QString& country);

  // Reads the two database files and builds the view; posted once the
  // window exists.
  void loadFiles();
  // After the slot or the contact list changed.
  void refreshEnabling();

  void search();
  void deleteSelected();
  void clearShown();
  void addSelectedToContacts();
  void downloadUserDatabase(bool https);
  void downloadLastHeard();
  void importFile();

  // One tick of the panel's one-second timer: the search delay and the
  // download buttons' countdown (tests drive it).
  void tick();

  const DatabaseView& view() const { return view_; }
  const DatabaseFolder& folder() const { return folder_; }
  bool busy() const { return job_.busy(); }
  // Waits for a running download or parse and runs what follows it (tests).
  void waitForJob();

 private:
  class Progress;
  class QueuedProgress;
  class QueuedFetchObserver;

  void setSource(DatabaseSource source);
  void rebuildView(bool keepTop);
  void fillCountryChoices();
  void updateTitle();
  DatabasePanelState currentState() const;
  void updateMenu();
  void startDownload(const DownloadSource& source, int kind);
  // Runs a parse (of a download or a file) on the worker, then `done` with
  // its result on the window's thread.
  void parseInBackground(std::function<int(DatabaseLists, DatabaseProgress&)> parse,
                         std::function<void(int)> done);
  void afterParse(int result, std::optional<DatabaseSource> showAfter);
  std::vector<size_t> selectedRows() const;
  size_t selectedCount() const;

  Prompt& prompt_;
  const DatabaseServices& services_;
  ContactList contacts_;
  DatabaseFolder folder_;
  Downloader downloader_;
  DatabaseSource source_ = DatabaseSource::Database;
  DatabaseView view_;
  std::optional<QString> wantedCountry_;
  int searchWait_ = 0;

  QLabel* title_;
  QToolButton* databaseButton_;
  QToolButton* lastHeardButton_;
  QComboBox* country_;
  QLineEdit* search_;
  QPushButton* searchButton_;
  ListView* list_;
  ListTableModel* model_;
  QLabel* status_;
  QProgressBar* progressBar_;
  QPushButton* addToContacts_;
  QPushButton* delete_;
  QPushButton* downloadHttps_;
  QPushButton* downloadHttp_;
  QPushButton* downloadLastHeard_;
  QPushButton* import_;
  QMenu* menu_;
  QAction* deleteItem_;
  QAction* unselectAllItem_;
  QAction* selectAllItem_;
  QAction* clearItem_;
  QTimer timer_;
  std::unique_ptr<Progress> progress_;
  BackgroundJob job_;
};

}  // namespace tamberlin
